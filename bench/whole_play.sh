#!/bin/sh
# A whole scripted play, headless: logo, title, start, a play answered with the arrow keys
# (a confession now and then) for 65 s, the score screen. Prints solvane-shot's frame-time
# line and the peak resident memory from /usr/bin/time -v.
#
#   bench/whole_play.sh [BUILD_DIR | SHOT_PROGRAM]      (default build/default)
#   WRAP="perf record -g -o /tmp/play.perf" bench/whole_play.sh      (runs the play under a profiler)
#
# The first line printed leaves out the frames that entered a scene (they load its pictures).
#
# Figures on the 2-core machine under other builds' load (docs/performance.md, "A whole play"):
#   streamed music (d27a50e -> d1e47ac): mean 8.3 -> 3.6-4.2 ms, p99 35 -> 12-15 ms, 159 -> 176 MiB
#   pictures held once (aeea243 -> now):  mean 2.8-4.1 -> 2.2-3.6 ms, p99 14-23 -> 9-19 ms,
#                                         172-176 -> 70.5-71.4 MiB
#   drawing into the frame, read-ahead (caffdab -> now, quiet machine): mean 4.4-4.7 -> 2.2-2.4 ms,
#                                         p99 15-17 -> 9.0-9.6 ms, frames over 16 ms after a
#                                         scene's first 40-51 -> 3-9, 79-83 -> 78-79 MiB
#   pixel pool, packing on the loader, alpha walks (4755612 -> e35c1d1, quiet machine):
#                                         p99 4.1-4.8 -> 3.5-3.95 ms, 80-85 -> 55-56 MiB
#   own audio output, PNGs a row at a time, pictures drawn from their runs (e35c1d1 -> efc4096,
#   quiet machine): mean 0.93-0.98 -> 1.12-1.16 ms, p99 3.25-3.67 -> 3.16-3.28 ms,
#                                         56 008-56 748 -> 44 800-45 172 KiB
#   pixel pool capped at 6 MiB (six runs, quiet machine): p99 3.10-3.41 ms, 41 856-44 128 KiB
#   frame cleared only where no opaque picture covers it (e35c1d1 -> 6ce1cdb): mean 0.93-0.95
#                                         -> 1.04-1.06 ms, p99 3.41-3.73 -> 2.99-3.09 ms,
#                                         55 516-57 376 -> 42 800-43 672 KiB
set -eu
TARGET=${1:-build/default}
if [ -d "$TARGET" ]; then SHOT="$TARGET/bin/solvane-shot"; else SHOT=$TARGET; fi
if [ ! -x "$SHOT" ]; then
    echo "whole_play: $SHOT not built (cmake --build BUILD_DIR --target solvane-shot)" >&2
    exit 2
fi
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/store" "$WORK/out"
# A store whose first run already happened, so the logo leads to the title.
printf '<?xml version="1.0" encoding="UTF-8"?>\n<userDefaultRoot><isFirstTime>true</isFirstTime></userDefaultRoot>\n' \
    >"$WORK/store/UserDefault.xml"
# An answer every 1.4 s, up or down by a fixed pattern, every sixth press a confession.
STEPS="wait:4.5 click:430,260 wait:2"
i=1
while [ $i -le 46 ]; do
    case $((i % 6)) in
        0) key=space ;;
        1 | 2 | 4) key=up ;;
        *) key=down ;;
    esac
    STEPS="$STEPS key:$key wait:1.4"
    i=$((i + 1))
done
STEPS="$STEPS wait:6 shot:score wait:2"
# The binary's own Resources folder (beside it) is used; the shot proves the score screen came.
cd "$(dirname "$SHOT")"
if ! SDL_AUDIODRIVER=dummy /usr/bin/time -v ${WRAP:-} "./$(basename "$SHOT")" --frame-stats --store "$WORK/store" \
    --out "$WORK/out" $STEPS >"$WORK/stdout" 2>"$WORK/time"; then
    echo "whole_play: $SHOT failed:" >&2
    grep -v '^	' "$WORK/time" | tail -n 5 >&2
    exit 1
fi
[ -f "$WORK/out/score.png" ] || { echo "whole_play: the play never reached the score screen" >&2; exit 1; }
tail -n 2 "$WORK/stdout"
grep -E 'Maximum resident|User time|System time|Elapsed' "$WORK/time"
