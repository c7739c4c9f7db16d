#!/usr/bin/env bash
# Runs the Windows build under Wine: the unit and headless scene test programs, a scripted play
# with solvane-shot.exe (title -> play -> score) whose best score must land in the Windows
# per-user folder, and solvane-check.exe over Resources. A throw-away Wine prefix in the build
# folder and a virtual display (xvfb-run when none is set). Usage: test-wine.sh BUILD_DIR
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$(cd "$1" && pwd)"
BIN="$BUILD/bin"
if [ -z "${DISPLAY:-}" ] && [ -z "${SOLVANE_WINE_INNER:-}" ]; then
  exec env SOLVANE_WINE_INNER=1 xvfb-run -a -s "-screen 0 1280x720x24" "$0" "$@"
fi

export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko: nothing here needs .NET or a browser, and fetching them would need a network.
export WINEDLLOVERRIDES="mscoree=;mshtml="
export SDL_AUDIODRIVER=dummy
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w

passed=0
failed=0
report() { # name status
  if [ "$2" -eq 0 ]; then passed=$((passed + 1)); echo "PASS $1"; else failed=$((failed + 1)); echo "FAIL $1"; fi
}

# Cases left out here, each for a known reason:
# - the per-user folder's XDG rules are Linux's (on Windows it is SDL's %APPDATA% folder, which
#   the scripted play below checks);
# - two scene cases link a font folder with std::filesystem::create_symlink, which MinGW's C++
#   library does not implement.
# The list is printed with every run. (The music-stream case that compares the engine's MP3
# decoder with libmpg123 reports itself skipped here: libmpg123 is not cross-built.)
declare -A SKIP=(
  [engine]="FileUtilsPaths.TheWritableFolderFollowsXdgDataHomeAndTreatsEmptyAsUnset"
  [scenes]="FixtureScenesTest.MissingStringIsReportedAndTheRestStillShows:FixtureScenesTest.PagePictureFillsItsBoxRightOfTheText"
)

cd "$BIN"
for t in engine model data shell app gameplay scenes content tools; do
  [ -f "${t}_tests.exe" ] || continue
  start=$(date +%s)
  filter=()
  if [ -n "${SKIP[$t]:-}" ]; then
    filter=("--gtest_filter=-${SKIP[$t]}")
    echo "  ${t}_tests.exe leaves out: ${SKIP[$t]//:/ }"
  fi
  wine "./${t}_tests.exe" --gtest_brief=1 "${filter[@]}" >"$BUILD/wine-${t}_tests.log" 2>&1
  status=$?
  tail -3 "$BUILD/wine-${t}_tests.log"
  echo "  (${t}_tests.exe: $(( $(date +%s) - start )) s)"
  report "${t}_tests.exe" "$status"
done

# A scripted play in the game's own per-user folder. The store says the first run is over, so
# the logo leads to the title as it does for a returning player.
USERDIR="$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')"
STORE_DIR="$(winepath -u "$USERDIR" 2>/dev/null)/Solvane"
mkdir -p "$STORE_DIR"
printf '<?xml version="1.0" encoding="UTF-8"?>\n<userDefaultRoot><isFirstTime>true</isFirstTime></userDefaultRoot>\n' \
  >"$STORE_DIR/UserDefault.xml"
SHOTS="$BUILD/wine-shots"
rm -rf "$SHOTS"
wine ./solvane-shot.exe --user-store --seed 2 --out "$SHOTS" \
  wait:4.5 shot:title click:430,260 wait:2 shot:question key:up wait:1.8 \
  key:space wait:0.6 shot:confession wait:70 shot:score >"$BUILD/wine-shot.log" 2>&1
status=$?
for name in title question confession score; do
  [ -s "$SHOTS/$name.png" ] || { echo "  no $name.png"; status=1; }
done
report "solvane-shot.exe scripted play" "$status"
# The same script on the Linux build must give the same pictures (mean absolute difference of
# the channels under 2 %), when a Linux build is there to compare with.
LINUX_BUILD="${SOLVANE_LINUX_BUILD:-build/default}"
case "$LINUX_BUILD" in /*) ;; *) LINUX_BUILD="$ROOT/$LINUX_BUILD" ;; esac
LINUX_SHOT="$LINUX_BUILD/bin/solvane-shot"
if [ -x "$LINUX_SHOT" ] && command -v compare >/dev/null; then
  LINUX_SHOTS="$BUILD/linux-shots"
  rm -rf "$LINUX_SHOTS" "$BUILD/linux-store" && mkdir -p "$BUILD/linux-store"
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<userDefaultRoot><isFirstTime>true</isFirstTime></userDefaultRoot>\n' \
    >"$BUILD/linux-store/UserDefault.xml"
  "$LINUX_SHOT" --store "$BUILD/linux-store" --seed 2 --out "$LINUX_SHOTS" \
    wait:4.5 shot:title click:430,260 wait:2 shot:question key:up wait:1.8 \
    key:space wait:0.6 shot:confession wait:70 shot:score >"$BUILD/linux-shot.log" 2>&1 ||
    echo "  the Linux solvane-shot failed: $(tail -1 "$BUILD/linux-shot.log")"
  for name in title question; do
    mae="$(compare -metric MAE "$SHOTS/$name.png" "$LINUX_SHOTS/$name.png" null: 2>&1 | sed -n 's/.*(\(.*\))/\1/p')"
    percent="$(awk -v m="${mae:-1}" 'BEGIN { printf "%.3f", m * 100 }')"
    echo "  $name: mean absolute difference from the Linux picture $percent %"
    awk -v p="$percent" 'BEGIN { exit !(p < 2) }'; report "$name picture matches Linux" $?
  done
else
  echo "  (no Linux solvane-shot at $LINUX_SHOT: pictures not compared)"
fi

best="$(sed -n 's:.*<high_score>\([0-9-]*\)</high_score>.*:\1:p' "$STORE_DIR/UserDefault.xml")"
echo "  store: $USERDIR\\Solvane\\UserDefault.xml holds high_score ${best:-nothing}"
# Seed 2 answers the first question right: the play scores, so a real best score is stored.
[ -n "$best" ] && [ "$best" -gt 0 ]; report "best score stored in the per-user folder" $?

check="$(wine ./solvane-check.exe Resources 2>&1 | tr -d '\r')"
echo "  $check"
case "$check" in ok:*) report "solvane-check.exe Resources" 0 ;; *) report "solvane-check.exe Resources" 1 ;; esac

# The game itself (GUI entry point, manifest) at 150 % display scaling on a 2560x1440 screen: being
# DPI-aware per monitor, its 1280x720 window is 1920x1080 real pixels.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wineserver -w
cat >"$BUILD/wine-dpi.sh" <<'INNER'
wine ./solvane.exe >/dev/null 2>&1 &
for _ in $(seq 30); do
  sleep 1
  size="$(xwininfo -root -tree | sed -n 's/.*"Solvane": ("solvane.exe".* \([0-9]*x[0-9]*\)+.*/\1/p' | head -1)"
  [ -n "$size" ] && break
done
echo "$size"
wineserver -k
INNER
size="$(xvfb-run -a -s "-screen 0 2560x1440x24" bash "$BUILD/wine-dpi.sh" 2>/dev/null | tail -1)"
echo "  solvane.exe window at 150 %: ${size:-none}"
[ "$size" = "1920x1080" ]; report "solvane.exe starts, drawn at 1920x1080 at 150 % scaling" $?
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
wineserver -w

# The installer, silently: the game lands in the per-user programs folder with a Start-menu
# shortcut and runs from there; the uninstaller takes both away and leaves the store alone.
SETUP="$BUILD/dist/Solvane-setup.exe"
if [ -f "$SETUP" ]; then
  LOCAL="$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')"
  INSTALLED="$(winepath -u "$LOCAL\\Programs\\Solvane" 2>/dev/null)"
  LINK="$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs\\Solvane.lnk")"
  wine "$SETUP" /S && wineserver -w
  status=0
  [ -f "$INSTALLED/solvane.exe" ] && [ -f "$LINK" ] || status=1
  (cd "$INSTALLED" 2>/dev/null && wine ./solvane-check.exe Resources 2>&1 | tr -d '\r' | grep -q '^ok:') || status=1
  report "installer: per-user install with a Start-menu shortcut" $status
  wine "$INSTALLED/Uninstall.exe" /S "_?=$LOCAL\\Programs\\Solvane" && wineserver -w
  status=0
  [ ! -e "$INSTALLED/solvane.exe" ] && [ ! -e "$INSTALLED/Resources" ] && [ ! -e "$LINK" ] || status=1
  [ -f "$STORE_DIR/UserDefault.xml" ] || status=1
  report "uninstaller: the game goes, the store stays" $status
fi

# The store's kill guarantee on the Windows write path (fewer kills than on Linux: each start of
# a program under Wine takes a good part of a second).
python3 "$ROOT/tests/kill/kill_test.py" --writer ./solvane-kill-writer.exe --launcher wine \
  --settle "${SOLVANE_WINE_SETTLE:-0.4}" --kills "${SOLVANE_WINE_KILLS:-25}" >"$BUILD/wine-kill.log" 2>&1
status=$?
tail -2 "$BUILD/wine-kill.log" | sed 's/^/  /'
report "kill test under Wine" "$status"

wineserver -k 2>/dev/null
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
