#!/usr/bin/env python3
"""Fullscreen on a screen of another shape, in a real window under Xvfb with a window manager.

F11 fills a 1920x1200 screen: the 1280x720 frame is scaled by 1.5 to 1920x1080 and centred,
with black bars of 60 pixels above and below. Clicks on the scaled picture reach what is drawn
there (the tutorial's next button, the title's settings button). Alt+Enter brings the window
back to 1280x720, where clicks land 1:1 again. The choice is not written to the store.
"""

import os
import shutil
import sys
import tempfile
import time

from driver import (HEIGHT, SKIP, WIDTH, Display, Game, Image, button_centres, parse_args, read_store,
                    setting_entry)

SCREEN_W, SCREEN_H = 1920, 1200
BAR = (SCREEN_H - HEIGHT * SCREEN_W // WIDTH) // 2  # 60


def wait_for_size(game, width, height, timeout=10):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if game.geometry()[2:] == (width, height):
            time.sleep(0.5)  # a few frames at the new size
            return
        time.sleep(0.1)
    raise AssertionError(f"the window stayed {game.geometry()[2:]}, not {width}x{height}")


def dark(rgb):
    return max(rgb) <= 8


def check_letterbox(image):
    assert (image.width, image.height) == (SCREEN_W, SCREEN_H), (image.width, image.height)
    xs = range(0, SCREEN_W, 97)
    bars = (0, BAR // 2, BAR - 1, SCREEN_H - BAR, SCREEN_H - BAR // 2, SCREEN_H - 1)
    lit = [p for y in bars for x in xs if not dark(p := image.pixel(x, y))]
    assert not lit, f"the bars above and below the picture are not black: {lit[:5]}"
    # The picture starts right after the top bar and ends right before the bottom one, edge to
    # edge: its first and last rows and columns are the background's, not black.
    ys = range(BAR, SCREEN_H - BAR, 89)
    edges = [(x, BAR) for x in xs] + [(x, SCREEN_H - BAR - 1) for x in xs] + \
            [(0, y) for y in ys] + [(SCREEN_W - 1, y) for y in ys]
    unlit = [(x, y) for x, y in edges if dark(image.pixel(x, y))]
    assert len(unlit) <= len(edges) // 10, f"the picture does not reach the bars or the sides: {unlit[:8]}"


def main():
    args = parse_args("Xvfb", "xdotool", "import", "convert", "openbox", "xprop")
    if not args:
        return SKIP
    resources = os.path.join(os.path.dirname(args.game), "Resources")
    title_buttons, _ = button_centres(resources)
    data_home = tempfile.mkdtemp(prefix="solvane-fullscreen-")
    display = Display(SCREEN_W, SCREEN_H, window_manager="openbox")
    display.start()
    try:
        game = Game(args.game, display, data_home, args.out)
        game.scene("Logo")
        game.scene("Tutorial", timeout=10)
        wait_for_size(game, WIDTH, HEIGHT)

        game.key("F11")
        wait_for_size(game, SCREEN_W, SCREEN_H)
        check_letterbox(Image(game.shot("fullscreen_tutorial")))
        # Unscaled, the next button's spot on the screen would be below the frame: only the
        # mapping through the scaling reaches it.
        for _ in range(5):
            game.click(WIDTH * 0.85, HEIGHT * 0.1)
            time.sleep(0.8)
        game.scene("Title")
        check_letterbox(Image(game.shot("fullscreen_title")))
        game.click(*title_buttons["settings01"])
        game.scene("Setting")

        game.key("alt+Return")
        wait_for_size(game, WIDTH, HEIGHT)
        game.shot("windowed_again")
        game.click(*setting_entry(3))
        game.scene("Title")
        game.click(*title_buttons["exit01"])
        status = game.finish()
        assert status == 0, f"the exit button ended the game with status {status}"
        store = read_store(data_home)
        assert set(store) == {"isFirstTime"}, f"the store holds more than the first-run flag: {store}"
        print("1 passed, 0 failed")
        return 0
    finally:
        display.stop()
        shutil.rmtree(data_home, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
