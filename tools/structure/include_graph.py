#!/usr/bin/env python3
"""The include graph of the game's folders, and the check that it only points down.

    include_graph.py            prints the folder graph in Graphviz dot form
    include_graph.py --check    exits 1, naming the file and line, on an include that points
                                the wrong way, reaches into the framework's extensions, or
                                closes a cycle between folders

The layers, top to bottom: app -> scenes, gameplay -> model, shell -> data -> engine. A folder
may include its own headers and those of the layers below it; scenes and gameplay never include
each other; the model sees only the data layer's record types.
"""
import argparse
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
GAME_FOLDERS = ["app", "scenes", "gameplay", "model", "shell", "data"]

# Which folders each folder may include. "engine" stands for the framework's public headers.
ALLOWED = {
    "app": {"scenes", "gameplay", "model", "shell", "data", "engine"},
    "scenes": {"shell", "data", "engine"},
    "gameplay": {"model", "shell", "data", "engine"},
    "model": {"data"},
    "shell": {"data", "engine"},
    "data": {"engine"},
}
# The play's rules are plain C++: of the data layer they use the record types only.
MODEL_DATA_HEADERS = {"data/Character.h"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def target_folder(path):
    """The folder an include names: a game folder, "engine", "ext", or None (same folder)."""
    first = path.split("/", 1)[0]
    if first in GAME_FOLDERS:
        return first
    if first == "ext":
        return "ext"
    if path == "cocos2d.h":
        return "engine"
    if "/" not in path:
        return None  # a header beside the file
    return "engine"


def edges(root):
    """Yields (from folder, to folder, include path, file, line number)."""
    for folder in GAME_FOLDERS:
        for source in sorted((root / folder).glob("*.[ch]*")):
            for number, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                to = target_folder(match.group(1))
                if to and to != folder:
                    yield folder, to, match.group(1), source.relative_to(root), number


def problems(root):
    found = []
    graph = {}
    for frm, to, path, source, number in edges(root):
        graph.setdefault(frm, set()).add(to)
        where = f"{source}:{number}: {frm} includes \"{path}\""
        if to == "ext":
            found.append(where + " (the framework's extensions are for tools and tests)")
        elif to not in ALLOWED[frm]:
            found.append(where + " (points the wrong way)")
        elif frm == "model" and to == "data" and path not in MODEL_DATA_HEADERS:
            found.append(where + " (the model uses only the data layer's record types)")
    found.extend(cycles(graph))
    return found, graph


def cycles(graph):
    """Folder cycles, each named once by the path that closes it."""
    found, state = [], {}

    def visit(node, path):
        state[node] = "open"
        for nxt in sorted(graph.get(node, ())):
            if state.get(nxt) == "open":
                loop = path[path.index(nxt):] + [nxt]
                found.append("cycle: " + " -> ".join(loop))
            elif nxt not in state:
                visit(nxt, path + [nxt])
        state[node] = "done"

    for node in sorted(graph):
        if node not in state:
            visit(node, [node])
    return found


def dot(graph):
    lines = ["digraph folders {", "  rankdir=TB;"]
    for frm in GAME_FOLDERS:
        for to in sorted(graph.get(frm, ())):
            lines.append(f'  "{frm}" -> "{to}";')
    lines.append("}")
    return "\n".join(lines)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--root", type=pathlib.Path, default=ROOT)
    args = parser.parse_args(argv)
    found, graph = problems(args.root)
    if not args.check:
        print(dot(graph))
        return 0
    for problem in found:
        print(problem)
    if not found:
        print("include graph: " + ", ".join(f"{f} -> {'/'.join(sorted(graph.get(f, ())))}" for f in GAME_FOLDERS))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
