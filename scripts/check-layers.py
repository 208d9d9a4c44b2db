#!/usr/bin/env python3
"""Checks the layers the design draws, from the sources' own includes:
every include points to the file's own layer or one beneath it (the two
platform-based layers filectrl and template never include each other), no
files include each other in a circle, and no source file is much above
350 lines. Prints what it finds; exits 1 on any fault.
  scripts/check-layers.py [repository folder]"""
import os
import re
import sys

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
# Lower numbers lie beneath; layers of one number are siblings that may not include each other.
LAYERS = [
    ("platform/system", 0), ("platform/drawing", 1), ("platform/window", 2), ("platform/controls", 3),
    ("filectrl", 4), ("template", 4), ("module", 5),
    ("host/driver", 6), ("host", 7), ("tests", 8), ("bench", 8),
]
LONGEST = 360  # "about 350"
SOURCE = re.compile(r"\.(c|cpp|h)$")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def layer_of(path):
    for folder, rank in LAYERS:
        if path == folder or path.startswith(folder + "/"):
            return folder, rank
    return None, None


def sources():
    for top in sorted({folder.split("/")[0] for folder, _ in LAYERS}):
        for base, _, files in os.walk(os.path.join(ROOT, top)):
            for name in sorted(files):
                if SOURCE.search(name):
                    yield os.path.relpath(os.path.join(base, name), ROOT).replace(os.sep, "/")


def resolve(including, name, known):
    here = os.path.normpath(os.path.join(os.path.dirname(including), name)).replace(os.sep, "/")
    if here in known:
        return here
    if name in known:
        return name
    for folder in ("tests/support", "host/driver"):  # the tests' and the driver's include folders
        candidate = folder + "/" + name
        if candidate in known:
            return candidate
    return None


def main():
    files = list(sources())
    known = set(files)
    faults = []
    graph = {}
    for path in files:
        with open(os.path.join(ROOT, path), encoding="utf-8") as f:
            text = f.read()
        lines = text.count("\n")
        if lines > LONGEST and not path.startswith("resources/"):
            faults.append("%s has %d lines (about 350 at the most)" % (path, lines))
        folder, rank = layer_of(path)
        graph[path] = []
        for name in INCLUDE.findall(text):
            target = resolve(path, name, known)
            if target is None:
                continue  # a system or generated header
            graph[path].append(target)
            to_folder, to_rank = layer_of(target)
            if to_rank is None or rank is None:
                continue
            if to_rank > rank or (to_rank == rank and to_folder != folder and not to_folder.startswith(folder + "/")
                                  and not folder.startswith(to_folder + "/")):
                faults.append("%s (%s) includes %s (%s): not beneath it" % (path, folder, target, to_folder))
    # Circles: a depth-first walk that meets a file still on its path.
    state = {}
    def walk(node, trail):
        state[node] = 1
        for nxt in graph.get(node, []):
            if state.get(nxt) == 1:
                circle = trail[trail.index(nxt):] + [nxt]
                faults.append("include circle: " + " -> ".join(circle))
            elif nxt not in state:
                walk(nxt, trail + [nxt])
        state[node] = 2
    for node in graph:
        if node not in state:
            walk(node, [node])
    for fault in faults:
        print("FAIL " + fault)
    if not faults:
        print("ok   %d files: every include beneath its layer, no include circle, none above %d lines"
              % (len(files), LONGEST))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
