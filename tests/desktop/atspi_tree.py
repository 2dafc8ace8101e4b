#!/usr/bin/python3
"""The accessibility tree of a running program as a screen reader reads it
(AT-SPI): its window is a frame named by the window's caption, and every row
of EXPECTED (role, name) is somewhere beneath the program (its window, or a
window the keys opened). Keys typed first (--type
TEXT, --key KEYS, in order, with xdotool on the program's window) act as a
person would; a row ROLE|NAME|description|TEXT or ROLE|NAME|text|TEXT then
also holds what the node's description or text says.

atspi_tree.py PROGRAM CAPTION [--type=TEXT|--key=KEYS ...] [ROLE|NAME[|description|TEXT|text|TEXT] ...]
"""
import subprocess
import sys
import time

import pyatspi


def nodes(acc):
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


def say(node, what):
    if what == "description":
        return node.description
    text = node.queryText()
    return text.getText(0, text.characterCount)


def act(caption, acts):
    """Types and presses keys on the program's window, as a person does."""
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", f"^{caption}$"],
                           capture_output=True, text=True, timeout=20).stdout.split()
    subprocess.run(["xdotool", "windowactivate", "--sync", found[0]], check=True, timeout=20)
    for what, keys in acts:
        if what == "--type":
            subprocess.run(["xdotool", "type", "--delay", "40", keys], check=True, timeout=20)
        else:
            subprocess.run(["xdotool", "key", "--delay", "40"] + keys.split(), check=True, timeout=20)


def main():
    program, caption = sys.argv[1], sys.argv[2]
    acts = [arg.split("=", 1) for arg in sys.argv[3:] if arg.startswith("--")]
    expected = [row.split("|") for row in sys.argv[3:] if not row.startswith("--")]
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
    if acts:
        act(caption, acts)
    # Beneath the program: its window, and a window it opened (the record's).
    seen = {(n.getRoleName(), n.name): n for n in nodes(app)}
    for role, name, *said in expected:
        node = seen.get((role, name))
        if node is None:
            others = sorted({r for r, n in seen if n == name})
            print(f"FAIL: no {role} named {name!r} in {program}" + (f" (a {', '.join(others)})" if others else ""))
            failed += 1
            continue
        for what, want in zip(said[::2], said[1::2]):
            # What a press changes reaches the bus a moment later.
            for _ in range(50):
                if say(node, what) == want:
                    break
                time.sleep(0.1)
            if say(node, what) != want:
                print(f"FAIL: the {what} of {role} {name!r} is {say(node, what)!r}, not {want!r}")
                failed += 1
    print(f"{program}: {len(seen)} nodes, {len(expected) + 1 - failed} of {len(expected) + 1} checks")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
