#!/usr/bin/env python3
"""A new player's journey through the real game, in a real window under Xvfb.

First start: logo, the five tutorial pages, the title, settings, the gallery and back, two
whole plays answered with the arrow keys and confessions with space, the score screen, retry,
back to the title and the exit button (status 0). Second start: logo, then the title. The
store must then hold "isFirstTime" true and the best of the two plays as "high_score".
Screenshots of every stage go to --out.
"""

import os
import random
import re
import shutil
import sys
import tempfile
import time

from driver import (HEIGHT, SETTING_LINE, SKIP, WIDTH, Display, Game, button_centres, parse_args, read_store,
                    setting_entry)


def gallery_exit(heroines):
    total = (heroines + 1) * SETTING_LINE + heroines * 5
    return WIDTH / 2 / 6 + 40, HEIGHT / 2 + total / 2 - SETTING_LINE - heroines * (SETTING_LINE + 5) + SETTING_LINE / 2


def play(game, rng, label):
    """Answers with the arrow keys, now and then confesses, until the clock runs out."""
    game.scene("Game")
    start = game.mark
    game.shot(f"{label}_question")
    presses = 0
    deadline = time.time() + 200
    while time.time() < deadline:
        with game.lock:
            over = any(line == "scene: Score" for line in game.lines[game.mark:])
        if over:
            break
        presses += 1
        game.key("space" if presses % 6 == 0 else rng.choice(["Up", "Down"]))
        if presses == 3:
            game.shot(f"{label}_reaction")
        time.sleep(1.4)
    game.scene("Score", timeout=5)
    _, m = game.wait_for(r"^setScores: (-?\d+) (-?\d+)$", 5, start)
    game.shot(f"{label}_score")
    return int(m.group(1)), int(m.group(2))


def main():
    args = parse_args("Xvfb", "xdotool", "import")
    if not args:
        return SKIP
    resources = os.path.join(os.path.dirname(args.game), "Resources")
    title_buttons, score_buttons = button_centres(resources)
    heroines = len(re.findall(r'"id"\s*:', open(os.path.join(resources, "res/gal/gal_info.json")).read()))
    rng = random.Random(7)
    data_home = tempfile.mkdtemp(prefix="solvane-e2e-")
    display = Display()
    display.start()
    try:
        game = Game(args.game, display, data_home, args.out)
        game.scene("Logo")
        game.shot("01_logo")
        game.scene("Tutorial", timeout=10)
        for page in range(1, 6):
            game.shot(f"02_tutorial_{page}")
            game.click(WIDTH * 0.85, HEIGHT * 0.1)
            time.sleep(0.8)
        game.scene("Title")
        game.shot("03_title")
        game.click(*title_buttons["settings01"])
        game.scene("Setting")
        game.shot("04_settings")
        game.click(*setting_entry(1))
        game.scene("Gals")
        game.shot("05_gallery")
        game.click(*gallery_exit(heroines))
        game.scene("Setting")
        game.click(*setting_entry(3))
        game.scene("Title")
        game.click(*title_buttons["start01"])
        first, best1 = play(game, rng, "06_play1")
        game.click(*score_buttons["retry"])
        second, best2 = play(game, rng, "07_play2")
        game.click(*score_buttons["title"])
        game.scene("Title")
        game.click(*title_buttons["exit01"])
        status = game.finish()
        assert status == 0, f"the exit button ended the game with status {status}"
        store = read_store(data_home)
        assert store.get("isFirstTime") == "true", store
        assert best1 == max(first, 0), (first, best1)
        assert best2 == max(first, second, 0), (first, second, best2)
        assert int(store.get("high_score")) == best2, store

        again = Game(args.game, display, data_home, args.out)
        again.scene("Logo")
        again.scene("Title", timeout=10)
        again.shot("08_second_start_title")
        again.click(*title_buttons["exit01"])
        assert again.finish() == 0
        print(f"plays scored {first} and {second}; best {best2}")
        print("1 passed, 0 failed")
        return 0
    finally:
        display.stop()
        shutil.rmtree(data_home, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
