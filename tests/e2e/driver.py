"""Drives the real game in a real window under Xvfb: the display, the running game's log lines
and window, and a player's mouse and keys (xdotool)."""

import argparse
import os
import re
import shutil
import struct
import subprocess
import threading
import time
import xml.etree.ElementTree as ET

SKIP = 77
WIDTH, HEIGHT = 1280, 720


def parse_args(*tools):
    """The test's --game and --out (created), or None (after saying why) when a tool is missing."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    missing = [tool for tool in tools if not shutil.which(tool)]
    if missing:
        print("skipped: missing " + ", ".join(missing))
        return None
    os.makedirs(args.out, exist_ok=True)
    return args


def png_size(path):
    with open(path, "rb") as f:
        header = f.read(24)
    return struct.unpack(">II", header[16:24])


class Image:
    """A screenshot's pixels, read through ImageMagick's PPM output."""

    def __init__(self, path):
        data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True, timeout=30,
                              check=True).stdout
        fields = data.split(maxsplit=4)  # P6, width, height, maxval, pixels
        self.width, self.height = int(fields[1]), int(fields[2])
        self._pixels = fields[4]

    def pixel(self, x, y):
        """(r, g, b) at x right, y down from the top-left."""
        i = (y * self.width + x) * 3
        return tuple(self._pixels[i:i + 3])


class Display:
    """An Xvfb screen of the given size, with a window manager when one is named (fullscreen
    requests go through the window manager)."""

    def __init__(self, width=WIDTH, height=HEIGHT, window_manager=None):
        self.width, self.height = width, height
        self.window_manager = window_manager
        self.number = None
        self.proc = None
        self.wm = None

    def start(self):
        # Xvfb picks a free display itself and writes its number to the pipe.
        read_end, write_end = os.pipe()
        self.proc = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                      f"{self.width}x{self.height}x24", "-nolisten", "tcp"], pass_fds=(write_end,),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            line = numbers.readline().strip()
        if not line.isdigit():
            raise RuntimeError("could not start Xvfb")
        self.number = int(line)
        if self.window_manager:
            env = dict(os.environ)
            env.update(self.env())
            self.wm = subprocess.Popen([self.window_manager], env=env, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
            self._wait_for_window_manager(env)

    def _wait_for_window_manager(self, env):
        deadline = time.time() + 20
        while time.time() < deadline:
            found = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env, capture_output=True,
                                   text=True, timeout=10)
            if "window id" in found.stdout:
                return
            time.sleep(0.2)
        raise RuntimeError(f"{self.window_manager} did not start")

    def env(self):
        return {"DISPLAY": f":{self.number}"}

    def stop(self):
        for proc in (self.wm, self.proc):
            if proc:
                proc.terminate()
                proc.wait(timeout=10)


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

    def geometry(self):
        """The window's (x, y, width, height) on the screen."""
        found = self._xdotool("getwindowgeometry", "--shell", self.window)
        values = dict(line.split("=", 1) for line in found.stdout.split() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def to_window(self, x, y):
        """Where a design point (y up) is in the window: the frame is scaled to fit the window,
        centred, with bars on the two sides it doesn't fill."""
        _, _, width, height = self.geometry()
        scale = min(width / WIDTH, height / HEIGHT)
        return (width - WIDTH * scale) / 2 + x * scale, (height - HEIGHT * scale) / 2 + (HEIGHT - y) * scale

    def click(self, x, y):
        """A left click at a design point (y up)."""
        wx, wy = self.to_window(x, y)
        self._xdotool("mousemove", "--window", self.window, str(int(wx)), str(int(wy)))
        self._xdotool("click", "1")
        time.sleep(0.15)

    def key(self, name):
        self._xdotool("windowfocus", self.window)
        self._xdotool("key", name)

    def shot(self, name):
        env = dict(os.environ)
        env.update(self.display.env())
        path = os.path.join(self.out, name + ".png")
        subprocess.run(["import", "-window", "root", path], env=env, capture_output=True, timeout=30)
        return path

    def finish(self, timeout=15):
        return self.proc.wait(timeout=timeout)


def read_store(data_home):
    root = ET.parse(os.path.join(data_home, "Solvane", "UserDefault.xml")).getroot()
    return {child.tag: child.text for child in root}


# Where the menus put things, in design points (y up).
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
