#!/usr/bin/python3
"""The accessibility tree of a running program as a screen reader reads it
(AT-SPI): its window is a frame named by the window's caption, and every row
of EXPECTED (role, name) is somewhere beneath it.

atspi_tree.py PROGRAM CAPTION [ROLE|NAME ...]
"""
import sys
import time

import pyatspi


def nodes(acc):
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


def main():
    program, caption, expected = sys.argv[1], sys.argv[2], [row.split("|", 1) for row in sys.argv[3:]]
    desktop = pyatspi.Registry.getDesktop(0)
    app = None
    for _ in range(100):
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
        app = next((a for a in apps if a is not None and a.name == program and a.childCount), None)
        if app is not None:
            break
        time.sleep(0.1)
    if app is None:
        print(f"FAIL: {program} is not on the accessibility bus")
        return 1
    window = app.getChildAtIndex(0)
    failed = 0
    if (window.getRoleName(), window.name) != ("frame", caption):
        print(f"FAIL: the window is a {window.getRoleName()!r} named {window.name!r}, not a frame named {caption!r}")
        failed += 1
    seen = {(n.getRoleName(), n.name) for n in nodes(window)}
    for role, name in expected:
        if (role, name) not in seen:
            print(f"FAIL: no {role} named {name!r} in {program}")
            failed += 1
    print(f"{program}: {len(seen)} nodes, {len(expected) + 1 - failed} of {len(expected) + 1} checks")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
