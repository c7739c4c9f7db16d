#!/bin/sh
# Remakes the README pictures with the real start-up on the headless backend: the title, a
# question, a confession, the score screen, the settings, the gallery and the tutorial, shrunk
# to 640x360 PNGs in docs/images/.
#
#   docs/make_screenshots.sh [BUILD_DIR]      (default build/default; needs solvane-shot)
set -eu
BUILD_DIR=${1:-build/default}
SHOT="$BUILD_DIR/bin/solvane-shot"
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/store" "$WORK/out"
# A store whose first run already happened, so the logo leads to the title.
printf '<?xml version="1.0" encoding="UTF-8"?>\n<userDefaultRoot><isFirstTime>true</isFirstTime></userDefaultRoot>\n' \
    >"$WORK/store/UserDefault.xml"
# Logo (3.75 s) -> title; start; answer the first question; confess; let the clock run out.
SDL_AUDIODRIVER=dummy "$SHOT" --store "$WORK/store" --out "$WORK/out" \
    wait:4.5 shot:title click:430,260 wait:2 shot:question key:up wait:1.8 \
    key:space wait:0.6 shot:confession wait:70 shot:score
# Keyboard only, as a player without a mouse: title -> settings -> gallery -> back -> tutorial.
SDL_AUDIODRIVER=dummy "$SHOT" --store "$WORK/store" --out "$WORK/out" \
    wait:4.5 key:down key:enter wait:1 shot:settings key:down key:enter wait:1 shot:gallery \
    key:escape wait:1 key:down key:down key:enter wait:1.5 shot:tutorial
for name in title question confession score settings gallery tutorial; do
    convert "$WORK/out/$name.png" -resize 640x360 -strip -define png:compression-level=9 "$HERE/images/$name.png"
done
ls -l "$HERE/images"
