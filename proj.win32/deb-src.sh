#!/bin/sh
# apt-get source needs a deb-src entry; this adds one mirroring the machine's Debian entry
# (same mirrors, suites and key) once, then refreshes the lists.
set -eu
SRC=/etc/apt/sources.list.d/solvane-deb-src.sources
[ -f "$SRC" ] || [ -f "${SRC%.sources}.list" ] && exit 0
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$SRC"
elif grep -q '^deb ' /etc/apt/sources.list 2>/dev/null; then
  grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >/etc/apt/sources.list.d/solvane-deb-src.list
  SRC=/etc/apt/sources.list.d/solvane-deb-src.list
else
  echo "deb-src.sh: no Debian entry found to mirror" >&2
  exit 1
fi
echo "Added $SRC"
apt-get update -q
