#!/usr/bin/env python3
"""What a player does to the window, in a real window under Xvfb with a window manager.

Another program takes the focus and gives it back: a click then still starts a play. The play
is minimised for a few seconds (the game sleeps meanwhile) and restored: the clock still runs
and the play ends on the score screen. Alt+F4 there ends the game with status 0 and the store
intact. Without a display the game says so in one line and ends with status 1.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from driver import SKIP, Display, Game, Image, button_centres, parse_args, read_store

SCREEN_W, SCREEN_H = 1600, 900
PLAY_SECONDS = 60


def seed_store(data_home):
    """A returning player: the logo leads straight to the title."""
    folder = os.path.join(data_home, "Solvane")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "UserDefault.xml"), "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                "<userDefaultRoot><isFirstTime>true</isFirstTime></userDefaultRoot>\n")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def other_program(display):
    """Another X client with a window of its own, which takes the focus when activated."""
    env = dict(os.environ)
    env.update(display.env())
    proc = subprocess.Popen(["xmessage", "-geometry", "300x80+1250+20", "another program"], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.time() + 20
    while time.time() < deadline:
        found = subprocess.run(["xdotool", "search", "--class", "Xmessage"], env=env, capture_output=True,
                               text=True, timeout=10)
        if found.stdout.split():
            return proc, found.stdout.split()[0]
        time.sleep(0.2)
    raise AssertionError("the other program's window did not appear")


def focused_window(game):
    return game._xdotool("getwindowfocus").stdout.strip()


def wait_until(condition, what, timeout=10):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if condition():
            return
        time.sleep(0.1)
    raise AssertionError(what)


def lit_share(path, box):
    """How much of the box (x, y, width, height) on the screenshot is not black."""
    image = Image(path)
    x0, y0, w, h = box
    points = [(x, y) for x in range(x0 + 5, x0 + w - 5, 37) for y in range(y0 + 5, y0 + h - 5, 29)]
    return sum(1 for x, y in points if max(image.pixel(x, y)) > 8) / len(points)


def no_display_check(binary):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    home = tempfile.mkdtemp()
    env.update({"DISPLAY": ":4094", "SDL_AUDIODRIVER": "dummy", "XDG_DATA_HOME": home, "XDG_RUNTIME_DIR": home})
    started = time.time()
    done = subprocess.run([binary], cwd=os.path.dirname(binary), env=env, capture_output=True, text=True,
                          timeout=30)
    took = time.time() - started
    assert done.returncode == 1, f"status {done.returncode} without a display"
    lines = done.stderr.splitlines()
    assert lines == ['Solvane: cannot start: display ":4094": the game window could not be opened on it'], lines
    assert took < 10, f"took {took:.1f} s to give up"
    return took


def main():
    args = parse_args("Xvfb", "xdotool", "import", "convert", "openbox", "xprop", "xmessage")
    if not args:
        return SKIP
    resources = os.path.join(os.path.dirname(args.game), "Resources")
    title_buttons, _ = button_centres(resources)
    data_home = tempfile.mkdtemp(prefix="solvane-lifecycle-")
    seed_store(data_home)
    display = Display(SCREEN_W, SCREEN_H, window_manager="openbox")
    display.start()
    other = None
    try:
        game = Game(args.game, display, data_home, args.out)
        game.scene("Title", timeout=15)

        # Another program takes the focus; the game goes to the background and comes back.
        other, other_window = other_program(display)
        game._xdotool("windowactivate", "--sync", other_window)
        wait_until(lambda: focused_window(game) == other_window, "the other program never got the focus")
        time.sleep(1.0)
        game.shot("lifecycle_01_focus_elsewhere")
        game._xdotool("windowactivate", "--sync", game.window)
        wait_until(lambda: focused_window(game) == game.window, "the game never got the focus back")
        time.sleep(0.5)
        game.click(*title_buttons["start01"])
        game.scene("Game", timeout=5)
        play_started = time.time()

        # Minimised in a play: nothing is drawn and the loop sleeps; restored, the clock goes on.
        game._xdotool("windowminimize", "--sync", game.window)
        time.sleep(0.5)
        before = cpu_seconds(game.proc.pid)
        time.sleep(3.0)
        idle_share = (cpu_seconds(game.proc.pid) - before) / 3.0
        game._xdotool("windowactivate", "--sync", game.window)
        time.sleep(0.7)
        x, y, w, h = game.geometry()
        restored = game.shot("lifecycle_02_restored")
        lit = lit_share(restored, (x, y, min(w, SCREEN_W - x), min(h, SCREEN_H - y)))
        assert lit > 0.9, f"the restored window is {1 - lit:.0%} black"
        game.scene("Score", timeout=PLAY_SECONDS + 15)
        ended_after = time.time() - play_started
        assert ended_after < PLAY_SECONDS + 10, f"the play ended {ended_after:.0f} s after it started"
        game.shot("lifecycle_03_score")

        # The window manager's close shortcut.
        game._xdotool("windowactivate", "--sync", game.window)
        game._xdotool("key", "--clearmodifiers", "alt+F4")
        status = game.finish(timeout=15)
        assert status == 0, f"Alt+F4 ended the game with status {status}"
        store = read_store(data_home)
        assert store.get("isFirstTime") == "true" and "high_score" in store, store

        gave_up = no_display_check(args.game)
        print(f"minimised game used {idle_share:.1%} of a core; the play ended {ended_after:.0f} s after it "
              f"started; without a display the game gave up in {gave_up:.2f} s")
        print("1 passed, 0 failed")
        return 0
    finally:
        if other:
            other.terminate()
        display.stop()
        shutil.rmtree(data_home, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
