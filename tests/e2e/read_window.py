#!/usr/bin/python3
"""Prints what the accessibility tree shows of a program's windows, one object a
line: role, name, x, y, width, height (screen pixels), tab-separated."""
import sys

import pyatspi


def walk(node, out, depth=0):
    if node is None or depth > 40:
        return
    try:
        role = node.getRoleName()
        name = node.name or ""
        try:
            box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            place = (box.x, box.y, box.width, box.height)
        except NotImplementedError:
            place = (-1, -1, -1, -1)
        out.append("\t".join([role, name.replace("\t", " ").replace("\n", "\\n")] + [str(v) for v in place]))
        for i in range(node.childCount):
            walk(node.getChildAtIndex(i), out, depth + 1)
    except Exception:  # an object that went away while we looked
        return


def main():
    program = sys.argv[1] if len(sys.argv) > 1 else "ziventa"
    desktop = pyatspi.Registry.getDesktop(0)
    out = []
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == program:
            walk(app, out)
    sys.stdout.write("\n".join(out) + ("\n" if out else ""))


if __name__ == "__main__":
    main()
