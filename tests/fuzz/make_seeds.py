#!/usr/bin/python3
"""Builds the seed corpus of every fuzz target in OUT/<target>/: the shipped data file, the
test fixtures for the same file, and small slices of the large files (a few elements each),
so the fuzzer starts from short, valid inputs."""

import base64
import gzip
import json
import os
import re
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
RESOURCES = os.path.join(SOURCE, "Resources")
FIXTURES = os.path.join(SOURCE, "tests", "fixtures", "data")

FILES = {
    "fuzz_heroines": "res/gal/gal_data.json",
    "fuzz_infos": "res/gal/gal_info.json",
    "fuzz_scenarios": "res/scenario/scenario.json",
    "fuzz_confessions": "res/confession/confession.json",
    "fuzz_tutorial": "res/tutorial/strings.json",
}


def add(folder, name, data):
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def slices(data):
    try:
        value = json.loads(data)
    except ValueError:
        return []
    if not isinstance(value, list):
        return []
    return [json.dumps(value[i:i + n], ensure_ascii=False).encode()
            for n in (1, 3) for i in range(0, min(len(value), 12), n)]


def add_particle_seeds(folder):
    """The shipped effects, and one of them with its texture embedded (gzip, base64) and no file
    of that name beside it."""
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    effects = os.path.join(RESOURCES, "res", "effect")
    plists = sorted(n for n in os.listdir(effects) if n.endswith(".plist"))
    for name in plists:
        with open(os.path.join(effects, name), "rb") as f:
            add(folder, name, f.read())
    with open(os.path.join(effects, plists[0]), "rb") as f:
        text = f.read().decode()
    with open(os.path.join(effects, "drop.png"), "rb") as f:
        embedded = base64.b64encode(gzip.compress(f.read(), mtime=0)).decode()
    text = re.sub(r"<key>textureFileName</key>\s*<string>[^<]*</string>",
                  "<key>textureFileName</key><string>embedded.png</string>"
                  "<key>textureImageData</key><string>%s</string>" % embedded, text)
    add(folder, "embedded.plist", text.encode())


def main():
    out = sys.argv[1]
    for target, relative in FILES.items():
        folder = os.path.join(out, target)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        sources = [os.path.join(RESOURCES, relative)]
        for fixture in sorted(os.listdir(FIXTURES)):
            sources.append(os.path.join(FIXTURES, fixture, relative))
        sources += [os.path.join(FIXTURES, "broken", n) for n in ("truncated.json", "empty.json", "random.bin")]
        for index, path in enumerate(p for p in sources if os.path.isfile(p)):
            with open(path, "rb") as f:
                data = f.read()
            add(folder, "file%02d" % index, data)
            for n, piece in enumerate(slices(data)):
                add(folder, "file%02d-slice%02d" % (index, n), piece)
    store = os.path.join(out, "fuzz_store")
    shutil.rmtree(store, ignore_errors=True)
    shutil.copytree(os.path.join(HERE, "seeds", "store"), store)
    add_particle_seeds(os.path.join(out, "fuzz_particles"))
    for target in list(FILES) + ["fuzz_store", "fuzz_particles"]:
        print("%-18s %d seeds" % (target, len(os.listdir(os.path.join(out, target)))))


if __name__ == "__main__":
    main()
