#!/usr/bin/env python3
"""What a screen reader finds in the running window, read through AT-SPI.

Usage: screen_reader_view.py <application name> <timeout seconds>

Walks the accessible tree of the application and checks that every edit, list, up-down arrow
and result cell has a name a listener can use: present, unique, not a bare number, not the
title of the group around it, and not a list's current item. Then presses Evaluate and checks
that the cells' names follow the new values. Prints the tree it read. Exit 0 on success,
1 on a failed check, 77 when the AT-SPI registry cannot be reached.
"""

import re
import sys
import time

try:
    import pyatspi
except ImportError as e:  # the package is missing: nothing to test against
    print(f"SKIP: no AT-SPI bindings for Python ({e})")
    sys.exit(77)

APP = sys.argv[1] if len(sys.argv) > 1 else "zephlane"
TIMEOUT = float(sys.argv[2]) if len(sys.argv) > 2 else 30.0

failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


def find_app():
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        try:
            desktop = pyatspi.Registry.getDesktop(0)
        except Exception as e:  # the registry is not there at all
            print(f"SKIP: the AT-SPI registry cannot be reached ({e})")
            sys.exit(77)
        for app in desktop:
            if app is not None and app.name == APP:
                # The window appears a moment after the application registers.
                if app.childCount > 0:
                    return app
        time.sleep(0.25)
    return None


def walk(node, depth=0, path=()):
    """Yields (depth, role name, name, node, titles of enclosing named containers)."""
    try:
        role = node.getRoleName()
        name = node.name or ""
    except Exception:
        return
    yield depth, role, name, node, path
    here = path + ((role, name),)
    for i in range(node.childCount):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            yield from walk(child, depth + 1, here)


def snapshot(app):
    return list(walk(app))


NUMBER = re.compile(r"^[-+]?(\d+([.,]\d*)?|[.,]\d+)([eE][-+]?\d+)?$|^NAN$|^[-+]?INF$", re.I)


def check_names(nodes):
    groups = {name for _, role, name, _, _ in nodes if role in ("panel", "filler") and name}
    inputs = [(role, name, node, path) for _, role, name, node, path in nodes
              if role in ("text", "combo box", "spin button", "check box")
              or (role == "push button" and ", step " in name)]
    cells = [(role, name, node, path) for _, role, name, node, path in nodes
             if role == "label" and ": " in name]
    seen = {}
    for role, name, node, path in inputs:
        if not name:
            fail(f"a {role} has no name")
            continue
        if NUMBER.match(name):
            fail(f"a {role} is named by a bare number: {name!r}")
        if name in groups or any(name == title for _, title in path):
            fail(f"a {role} takes the name of its group: {name!r}")
        if role == "combo box":
            items = [node.getChildAtIndex(i) for i in range(node.childCount)]
            texts = set()
            for item in items:
                for j in range(item.childCount if item is not None else 0):
                    texts.add(item.getChildAtIndex(j).name)
            if name in texts:
                fail(f"a list is named after one of its items: {name!r}")
        if name in seen:
            fail(f"two controls share the name {name!r}")
        seen[name] = role
    for role, name, node, path in cells:
        quantity = name.split(": ", 1)[0]
        if quantity in seen:
            fail(f"two controls share the name {quantity!r}")
        seen[quantity] = role
    return inputs, cells


def expect(nodes, role, pattern):
    regex = re.compile(pattern)
    hits = [name for _, r, name, _, _ in nodes if r == role and regex.search(name)]
    if not hits:
        fail(f"no {role} named like {pattern!r}")
    return hits


def main():
    app = find_app()
    if app is None:
        print(f"SKIP: {APP} did not appear on the AT-SPI bus within {TIMEOUT} s")
        sys.exit(77)
    nodes = snapshot(app)
    for depth, role, name, _, _ in nodes:
        print(f"{'  ' * depth}[{role}] {name}")

    inputs, cells = check_names(nodes)
    edits = [n for r, n, _, _ in inputs if r == "text"]
    lists = [n for r, n, _, _ in inputs if r == "combo box"]
    arrows = [n for r, n, _, _ in inputs if r == "push button"]
    print(f"{len(edits)} edits, {len(lists)} lists, {len(arrows)} arrows, {len(cells)} cells")
    if len(edits) != 8:
        fail(f"8 edits expected, {len(edits)} found")
    if len(lists) != 4:
        fail(f"4 lists expected, {len(lists)} found")
    if len(arrows) != 8:
        fail(f"8 up-down arrows expected, {len(arrows)} found")
    if len(cells) < 39:
        fail(f"39 result cells expected, {len(cells)} found")

    expect(nodes, "text", r"^Anode voltage, V$")
    expect(nodes, "text", r"^Load reflection magnitude$")
    expect(nodes, "text", r"^Source reflection phase, deg$")
    expect(nodes, "combo box", r"^Load reflection magnitude unit$")
    expect(nodes, "push button", r"^Magnetron efficiency, step up$")
    expect(nodes, "label", r"^Incident power, actual value: \S+ W$")
    expect(nodes, "label", r"^Load reflection coefficient magnitude, true value: ")
    # No cell reads as a bare number: the value labels inside the cells stay out of view.
    for _, role, name, _, _ in nodes:
        if role == "label" and NUMBER.match(name.strip()):
            fail(f"a label reads as a bare number: {name!r}")

    # Change an input and evaluate: the cell's name follows the shown value.
    before = expect(nodes, "label", r"^Power to match: ")
    anode = [node for _, r, name, node, _ in nodes if r == "text" and name == "Anode voltage, V"]
    button = [node for _, r, name, node, _ in nodes if r == "push button" and "Evaluate" in name]
    if anode and button:
        editable = anode[0].queryEditableText()
        editable.setTextContents("20000")
        action = button[0].queryAction()
        action.doAction(0)
        deadline = time.monotonic() + 10
        after = before
        while time.monotonic() < deadline and after == before:
            time.sleep(0.25)
            after = [name for _, r, name, _, _ in snapshot(app)
                     if r == "label" and name.startswith("Power to match: ")]
        print(f"after Evaluate: {before} -> {after}")
        if after == before:
            fail("the cells' names did not follow a new evaluation")
    else:
        fail("the anode voltage edit or the Evaluate button was not found")

    if failures:
        print(f"{len(failures)} failed checks")
        sys.exit(1)
    print("all names a listener can use")


main()
