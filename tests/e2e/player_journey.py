#!/usr/bin/env python3
"""A new player's journey through the real game, in a real window under Xvfb.

First start: logo, the five tutorial pages, the title, settings, the gallery and back, two
whole plays answered with the arrow keys and confessions with space, the score screen, retry,
back to the title and the exit button (status 0). Second start: logo, then the title. The
store must then hold "isFirstTime" true and the best of the two plays as "high_score".
Screenshots of every stage go to --out.
"""

import argparse
import os
import random
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time
import xml.etree.ElementTree as ET

SKIP = 77
WIDTH, HEIGHT = 1280, 720


def png_size(path):
    with open(path, "rb") as f:
        header = f.read(24)
    return struct.unpack(">II", header[16:24])


class Display:
    def __init__(self):
        self.number = None
        self.proc = None

    def start(self):
        # Xvfb picks a free display itself and writes its number to the pipe.
        read_end, write_end = os.pipe()
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{WIDTH}x{HEIGHT}x24",
                                      "-nolisten", "tcp"], pass_fds=(write_end,),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            line = numbers.readline().strip()
        if not line.isdigit():
            raise RuntimeError("could not start Xvfb")
        self.number = int(line)

    def env(self):
        return {"DISPLAY": f":{self.number}"}

    def stop(self):
        if self.proc:
            self.proc.terminate()
            self.proc.wait(timeout=10)


class Game:
    """The running game: its log lines, its window, and a player's hands."""

    def __init__(self, binary, display, data_home, out):
        self.display = display
        self.out = out
        env = dict(os.environ)
        env.update(display.env())
        env.update({"XDG_DATA_HOME": data_home, "SOLVANE_TRACE_SCENES": "1", "SDL_AUDIODRIVER": "dummy"})
        self.lines = []
        self.lock = threading.Lock()
        self.proc = subprocess.Popen([binary], cwd=os.path.dirname(binary), env=env, stdout=subprocess.PIPE,
                                     stderr=subprocess.STDOUT, text=True, errors="replace")
        threading.Thread(target=self._read, daemon=True).start()
        self.window = self._find_window()

    def _read(self):
        for line in self.proc.stdout:
            with self.lock:
                self.lines.append(line.rstrip("\n"))

    def _xdotool(self, *args):
        env = dict(os.environ)
        env.update(self.display.env())
        return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True, timeout=30)

    def _find_window(self):
        deadline = time.time() + 60
        while time.time() < deadline:
            found = self._xdotool("search", "--name", "^Solvane$")
            if found.returncode == 0 and found.stdout.split():
                return found.stdout.split()[0]
            time.sleep(0.2)
        raise AssertionError("no window titled Solvane appeared")

    def wait_for(self, pattern, timeout, start=0):
        """Waits for a log line matching pattern at or after index start; returns (index, match)."""
        regex = re.compile(pattern)
        deadline = time.time() + timeout
        while time.time() < deadline:
            with self.lock:
                for i in range(start, len(self.lines)):
                    m = regex.search(self.lines[i])
                    if m:
                        return i, m
            if self.proc.poll() is not None:
                break
            time.sleep(0.05)
        raise AssertionError(f"no log line like {pattern!r} within {timeout} s; last lines:\n" +
                             "\n".join(self.lines[-30:]))

    def scene(self, name, timeout=10):
        index, _ = self.wait_for(rf"^scene: {name}$", timeout, self.mark)
        self.mark = index + 1
        time.sleep(0.3)

    mark = 0

    def click(self, x, y):
        """A left click at a design point (y up)."""
        self._xdotool("mousemove", "--window", self.window, str(int(x)), str(int(HEIGHT - y)))
        self._xdotool("click", "1")
        time.sleep(0.15)

    def key(self, name):
        self._xdotool("windowfocus", self.window)
        self._xdotool("key", name)

    def shot(self, name):
        env = dict(os.environ)
        env.update(self.display.env())
        subprocess.run(["import", "-window", "root", os.path.join(self.out, name + ".png")], env=env,
                       capture_output=True, timeout=30)

    def finish(self, timeout=15):
        return self.proc.wait(timeout=timeout)


def button_centres(resources):
    """Where the title and score buttons sit, from their images' own sizes."""
    cx, cy = WIDTH / 2, HEIGHT / 2
    title = {}
    for k, name in enumerate(["start01", "settings01", "exit01"], start=1):
        w, h = png_size(os.path.join(resources, "ui", name + ".png"))
        title[name] = (310 + 0.15 * w, cy - 2 * (h * 0.3 * k))
    _, retry_h = png_size(os.path.join(resources, "ui", "retry01.png"))
    _, title_h = png_size(os.path.join(resources, "ui", "title_menu01.png"))
    score = {"retry": (cx, cy - 0.8 * retry_h), "title": (cx, cy - 1.6 * title_h)}
    return title, score


# Settings entries: a 28 pt menu of four left-anchored items at one tenth of the width left of
# the centre; the gallery's "Exit" is the ninth item of its name column.
SETTING_X = WIDTH / 2 - WIDTH / 10 + 30
SETTING_LINE = 41
def setting_entry(index):
    total = 4 * SETTING_LINE + 3 * 5
    return SETTING_X, HEIGHT / 2 + total / 2 - SETTING_LINE - index * (SETTING_LINE + 5) + SETTING_LINE / 2


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
            over = any(l == "scene: Score" for l in game.lines[game.mark:])
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


def read_store(data_home):
    root = ET.parse(os.path.join(data_home, "Solvane", "UserDefault.xml")).getroot()
    return {child.tag: child.text for child in root}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    missing = [tool for tool in ("Xvfb", "xdotool", "import") if not shutil.which(tool)]
    if missing:
        print("skipped: missing " + ", ".join(missing))
        return SKIP
    os.makedirs(args.out, exist_ok=True)
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
