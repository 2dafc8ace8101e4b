#!/usr/bin/env python3
"""The source folders stand in layers, each on the ones below it only, each
one library that links only the libraries below it:

    frame ← conductivity ← heatflow ← heatflow/design ← catalogue, batch
          ← desk ← calc, web, apps, tools ← tests, bench

A folder's sources include headers of its own layer's folders or of lower
layers, never of a higher one, and no folders include each other round in a
cycle (catalogue and batch share a layer, and so do calc, web, apps and
tools). A folder's name says whether Qt is in it: only desk, apps, tools,
tests and bench include Qt's headers. A quoted include is found as
the compiler finds it: beside the including file, else under the folders'
include directories; a name found in two folders is refused (write its path).

folder_layers.py SOURCE_DIR"""

import os
import re
import sys

LAYERS = [
    ["frame"],
    ["conductivity"],
    ["heatflow"],
    ["heatflow/design"],
    ["catalogue", "batch"],
    ["desk"],
    ["calc", "web", "apps", "tools"],
    ["tests", "bench"],
]
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
# The folders whose headers are included by name alone (the targets' include
# directories); heatflow/design's go by "design/NAME.h".
INCLUDE_DIRS = ["frame", "conductivity", "heatflow", "catalogue", "batch", "desk", "calc", "web", "tools", "tests"]
# The folders with Qt in them.
QT_FOLDERS = {"desk", "apps", "tools", "tests", "bench"}
QT_INCLUDE = re.compile(r'^\s*#\s*include\s+<(Q[A-Za-z]*|Qt[A-Za-z]*/[^>]*)>', re.MULTILINE)
SUFFIXES = (".cpp", ".h", ".inc", ".cpp.in")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def folder_of(root, path):
    """The folder of LAYERS a file belongs to: the longest that holds it."""
    rel = os.path.relpath(path, root).replace(os.sep, "/")
    best = None
    for folder in RANK:
        if rel.startswith(folder + "/") and (best is None or len(folder) > len(best)):
            best = folder
    return best


def sources(root):
    for top in sorted({folder.split("/")[0] for folder in RANK}):
        for dirpath, dirnames, filenames in os.walk(os.path.join(root, top)):
            dirnames.sort()
            for name in sorted(filenames):
                if name.endswith(SUFFIXES):
                    yield os.path.join(dirpath, name)


def resolve(root, including, name):
    """The header a quoted include names, "" when it is none of the sources
    (a generated file), or None when two folders hold that name."""
    beside = os.path.normpath(os.path.join(os.path.dirname(including), name))
    if os.path.isfile(beside):
        return beside
    found = {os.path.normpath(os.path.join(root, d, name)) for d in INCLUDE_DIRS}
    found = [f for f in found if os.path.isfile(f)]
    if len(found) > 1:
        return None
    return found[0] if found else ""


def main():
    root = sys.argv[1]
    faults = []
    edges = {}  # (from, to) -> the first include that makes it
    for path in sources(root):
        here = folder_of(root, path)
        with open(path, encoding="utf-8") as f:
            text = f.read()
        qt = QT_INCLUDE.search(text)
        if qt and here not in QT_FOLDERS:
            faults.append(f"{os.path.relpath(path, root)}: #include <{qt.group(1)}>: Qt in {here}, a folder without it")
        for name in INCLUDE.findall(text):
            header = resolve(root, path, name)
            rel = os.path.relpath(path, root)
            if header is None:
                faults.append(f'{rel}: "{name}" is in more than one folder; include it by its path')
                continue
            there = folder_of(root, header) if header else None
            if there is None or there == here:
                continue
            edges.setdefault((here, there), f'{rel}: #include "{name}"')
            if RANK[there] > RANK[here]:
                faults.append(f'{rel}: #include "{name}": {here} reaches up to {there}')

    # A cycle among folders (those of one layer included).
    graph = {}
    for a, b in edges:
        graph.setdefault(a, []).append(b)
    state = {}

    def visit(folder, path):
        state[folder] = "open"
        for nxt in sorted(graph.get(folder, [])):
            if state.get(nxt) == "open":
                ring = path[path.index(nxt):] + [nxt]
                faults.append("a cycle: " + " → ".join(ring) + " (" +
                              "; ".join(edges[(ring[i], ring[i + 1])] for i in range(len(ring) - 1)) + ")")
            elif nxt not in state:
                visit(nxt, path + [nxt])
        state[folder] = "done"

    for folder in sorted(graph):
        if folder not in state:
            visit(folder, [folder])

    for a, b in sorted(edges, key=lambda e: (RANK[e[0]], e[0], RANK[e[1]], e[1])):
        print(f"{a} → {b}")
    if faults:
        print("\n".join("FAIL: " + f for f in faults))
        return 1
    print("ok: the folders stand in their layers, with no cycle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
