#!/usr/bin/env bash
# After the cross build: puts the DLLs the programs need beside them in bin/, then packs the
# release folder Solvane/ into dist/Solvane-win64.zip and builds dist/Solvane-setup.exe with NSIS.
# Usage: package.sh BUILD_DIR (e.g. build/windows)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "$1" && pwd)"
BIN="$BUILD/bin"
PREFIX="$BUILD/deps/prefix"
DIST="$BUILD/dist"
OBJDUMP=x86_64-w64-mingw32-objdump
STRIP=x86_64-w64-mingw32-strip
SEARCH=("$PREFIX/bin" /usr/x86_64-w64-mingw32/lib /usr/lib/gcc/x86_64-w64-mingw32/*-posix)
VERSION="$(sed -n 's/^project(Solvane VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")"

# The DLLs a program or DLL names that we ship (system DLLs are found nowhere here and skipped).
find_dll() {
  local name="$1" dir
  for dir in "${SEARCH[@]}"; do
    if [ -f "$dir/$name" ]; then echo "$dir/$name"; return; fi
  done
}
declare -A SEEN=()
collect() {
  local file="$1" name path
  for name in $("$OBJDUMP" -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
    [ -n "${SEEN[$name]:-}" ] && continue
    path="$(find_dll "$name")"
    [ -z "$path" ] && continue
    SEEN[$name]="$path"
    collect "$path"
  done
}
for exe in "$BIN"/*.exe; do collect "$exe"; done
for name in "${!SEEN[@]}"; do cp -u "${SEEN[$name]}" "$BIN/"; done

# The release folder: the game, the checker, their DLLs, Resources, README and licences.
STAGE="$DIST/Solvane"
rm -rf "$STAGE" && mkdir -p "$STAGE"
for exe in solvane solvane-check; do
  "$STRIP" -o "$STAGE/$exe.exe" "$BIN/$exe.exe"
done
SEEN=()
collect "$STAGE/solvane.exe"; collect "$STAGE/solvane-check.exe"
for name in "${!SEEN[@]}"; do "$STRIP" -o "$STAGE/$name" "${SEEN[$name]}"; done
cp -rL "$ROOT/Resources" "$STAGE/Resources"
rm -f "$STAGE/Resources/CONTENT.md"
cp "$ROOT/proj.win32/README.txt" "$STAGE/README.txt"
cp "$ROOT/LICENSE" "$STAGE/LICENSE.txt"

rm -f "$DIST/Solvane-win64.zip"
(cd "$DIST" && zip -q -r -9 -X Solvane-win64.zip Solvane)
makensis -V2 -DVERSION="$VERSION" -DSTAGE="$STAGE" -DOUTFILE="$DIST/Solvane-setup.exe" \
  -DICON="$ROOT/proj.win32/solvane.ico" "$ROOT/proj.win32/installer.nsi"
ls -l "$DIST"/Solvane-win64.zip "$DIST"/Solvane-setup.exe
