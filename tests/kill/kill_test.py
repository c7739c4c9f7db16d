#!/usr/bin/python3
"""Kills the store writer with SIGKILL at random moments and checks, after every kill, that
the store file still parses with a userDefaultRoot root and holds a best score no lower than
the last one the writer reported written."""

import argparse
import os
import random
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET


def stored_best(path):
    root = ET.parse(path).getroot()
    if root.tag != "userDefaultRoot":
        raise ValueError("root element is %r" % root.tag)
    element = root.find("high_score")
    if element is None or element.text is None:
        return None
    return int(element.text)


def one_kill(writer, store, rng, launcher=(), settle=0.0):
    proc = subprocess.Popen([*launcher, writer, store], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    # Anywhere from before the first write to deep into a run of writes (settle: how long the
    # launcher, e.g. Wine, takes before the writer's own first line).
    time.sleep(0.0 if rng.random() < 0.1 else settle + rng.uniform(0.0, 0.25))
    proc.send_signal(signal.SIGKILL)
    out, _ = proc.communicate()
    if proc.returncode != -signal.SIGKILL:
        raise AssertionError("the writer ended by itself with status %d" % proc.returncode)
    text = out.decode(errors="replace")
    # Only whole lines count: the kill may cut the last one short. "start N" comes first;
    # every later line is a value that had been written when it was printed.
    lines = text.split("\n")
    complete = lines[:-1]
    started = None
    if complete and complete[0].startswith("start "):
        started = int(complete[0].split()[1])
        complete = complete[1:]
    values = [int(line) for line in complete if line]
    return started, (values[-1] if values else None)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--writer", required=True)
    parser.add_argument("--kills", type=int, default=200)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--launcher", default="", help="command the writer runs under, e.g. wine")
    parser.add_argument("--settle", type=float, default=0.0, help="seconds the launcher needs to start it")
    args = parser.parse_args()
    seed = args.seed if args.seed is not None else int(time.time())
    rng = random.Random(seed)
    store = tempfile.mkdtemp(prefix="solvane-kill-")
    path = os.path.join(store, "UserDefault.xml")
    last_written = 0
    failures = []
    writes_seen = 0
    try:
        for kill in range(1, args.kills + 1):
            started, written = one_kill(args.writer, store, rng, shlex.split(args.launcher), args.settle)
            if started is not None and started < last_written:
                failures.append("kill %d: the writer started from %d, below %d" % (kill, started, last_written))
            if written is not None:
                writes_seen += 1
                last_written = written
            if not os.path.exists(path):
                if last_written:
                    failures.append("kill %d: the store file is gone" % kill)
                continue
            try:
                best = stored_best(path)
            except (ET.ParseError, ValueError) as error:
                failures.append("kill %d: the store does not parse: %s" % (kill, error))
                continue
            if last_written and (best is None or best < last_written):
                failures.append("kill %d: the store holds %s, %d had been written" % (kill, best, last_written))
            if best is not None:
                last_written = max(last_written, best)
        leftovers = [n for n in os.listdir(store) if n != "UserDefault.xml"]
        print("%d kills (seed %d), %d of them after at least one write, last best %d, %d files left beside the store"
              % (args.kills, seed, writes_seen, last_written, len(leftovers)))
    finally:
        shutil.rmtree(store, ignore_errors=True)
    for failure in failures[:20]:
        print("FAILED: " + failure)
    failed_kills = len({f.split(":")[0] for f in failures})
    print("%d passed, %d failed" % (args.kills - failed_kills, failed_kills))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
