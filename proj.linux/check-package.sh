#!/usr/bin/env bash
# Unpacks the .deb that `make package` built into a scratch root (dpkg -x) and starts what it
# installed: the content check, one headless start-up of the game with a picture of its first
# frame, and the game itself in a virtual display for a few seconds.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
BUILD="$(cd "$1" && pwd)"
DEB="$(ls -t "$BUILD"/package/solvane_*.deb | head -1)"
ROOT="$(mktemp -d)"
trap 'rm -rf "$ROOT"' EXIT
dpkg -x "$DEB" "$ROOT"
GAME="$ROOT/usr/libexec/solvane"
echo "check-package: $(basename "$DEB") ($(du -k "$DEB" | cut -f1) KiB) unpacked"
for f in usr/bin/solvane usr/share/applications/solvane.desktop usr/share/doc/solvane/copyright \
         usr/share/icons/hicolor/scalable/apps/solvane.svg usr/libexec/solvane/Resources/res; do
  [ -e "$ROOT/$f" ] || { echo "check-package: $f is missing"; exit 1; }
done
"$ROOT/usr/bin/solvane-check" "$GAME/Resources"
export SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$ROOT/home/.local/share"
"$ROOT/usr/bin/solvane-shot" --out "$ROOT/shots" wait:1 shot:first
[ -s "$ROOT/shots/first.png" ] || { echo "check-package: no first frame"; exit 1; }
# The real game in a virtual display: still running after five seconds means it started.
status=0
xvfb-run -a -s "-screen 0 1280x720x24" timeout 5 "$ROOT/usr/bin/solvane" >"$ROOT/game.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
  echo "check-package: the installed game stopped with status $status:"; cat "$ROOT/game.log"; exit 1
fi
[ -f "$ROOT/home/.local/share/Solvane/UserDefault.xml" ] || { echo "check-package: no store in the per-user folder"; exit 1; }
echo "check-package: the installed game started, its store is in the per-user folder"
