#!/usr/bin/python3
"""What the calculator shows, read over the accessibility bus, and clicks on what it shows.

Usage: a11y.py PID COMMAND ARGS...
  ready                  wait until the program's window is on the bus
  expect display|mark T  wait until the display (or the mark beside it) reads T
  read display|mark      print the text
  name display|mark      print the name readers announce it by
  menu ITEM...           click through the menu items named ITEM, one level after another
  click NAME [ROLE]      click the shown control named NAME (of that role: "text", "push button")
  click-left NAME        click the leftmost of the shown controls named NAME
  click-right NAME       click the rightmost (the unit panel's sources and targets share names)
  extents NAME [ROLE]    print "x y width height" of the shown control NAME (screen pixels)
  rightclick NAME        press the right button over NAME
  expect-focused NAME    wait until the focus is on the shown control NAME
  dump                   print the shown tree (roles, names, places), to see what there is
"display" and "mark" name the display and the mark beside it.
Clicks go through xdotool, or through the command in E2E_POINTER, given "click X Y" with the
place as the bus reports it (on Wayland that is within the window: the command adds its origin).
A NAME ending in "*" matches every name that begins with what comes before it; a menu item's
shortcut (after a tab) is not part of its name. Every wait ends after E2E_WAIT seconds (10);
a failed wait exits with status 1 and says what was seen.
"""

import os
import shlex
import subprocess
import sys
import time

import pyatspi

WAIT = float(os.environ.get("E2E_WAIT", "10"))
POLL = 0.05

# The display and its mark, named in the menus' language.
LABELS = {
    "display": ("表示", "Display"),
    "mark": ("記号", "Mark"),
}


class Failed(Exception):
    pass


def until(what, probe):
    """Calls probe until it returns something other than None; the last error explains."""
    deadline = time.monotonic() + WAIT
    last = None
    while True:
        try:
            found = probe()
            if found is not None:
                return found
        except Exception as error:  # the tree changes under us while a window opens
            last = error
        if time.monotonic() > deadline:
            raise Failed(f"{what}" + (f" ({last})" if last else ""))
        time.sleep(POLL)


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def shown_nodes(node):
    """Every shown node under node, depth first; hidden subtrees (closed menus) are skipped."""
    for child in node:
        if child is None or not showing(child):
            continue
        yield child
        yield from shown_nodes(child)


def plain_name(node):
    return node.name.split("\t")[0]


def matches(name, wanted):
    return name.startswith(wanted[:-1]) if wanted.endswith("*") else name == wanted


def find_shown(pid, wanted, roles=None):
    if wanted in LABELS:
        return find_label(pid, wanted)
    app = application(pid)
    if app is None:
        return None
    for node in shown_nodes(app):
        if roles and node.getRoleName() not in roles:
            continue
        if matches(plain_name(node), wanted):
            return node
    return None


def label_text(node):
    return node.queryText().getText(0, -1)


def find_label(pid, which):
    app = application(pid)
    if app is None:
        return None
    for node in shown_nodes(app):
        if node.getRoleName() == "label" and node.name in LABELS[which]:
            return node
    return None


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def on_screen(node):
    x, y, width, height = extents(node)
    return (x, y, width, height) if width > 0 and height > 0 and x >= 0 and y >= 0 else None


def press(node, button):
    x, y, width, height = until(f"{plain_name(node)!r} has no place on the screen",
                                lambda: on_screen(node))
    x, y = x + width // 2, y + height // 2
    pointer = os.environ.get("E2E_POINTER")
    if pointer:
        if button != 1:
            raise Failed(f"E2E_POINTER clicks the left button only, not button {button}")
        subprocess.run(shlex.split(pointer) + ["click", str(x), str(y)], check=True,
                       timeout=WAIT)
        return
    subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", str(button)],
                   check=True, timeout=WAIT)


def main(pid, command, args):
    if command == "ready":
        until("the window is not on the accessibility bus", lambda: find_label(pid, "display"))
    elif command == "read":
        print(label_text(until("no display", lambda: find_label(pid, args[0]))))
    elif command == "name":
        print(until(f"no {args[0]} shown", lambda: find_label(pid, args[0])).name)
    elif command == "expect":
        which, wanted = args
        seen = []

        def reads_wanted():
            text = label_text(find_label(pid, which))
            seen[:] = [text]
            return text if text == wanted else None

        try:
            until(f"no {which} shown", reads_wanted)
        except Failed:
            if not seen:
                raise
            raise Failed(f"the {which} reads {seen[0]!r}, not {wanted!r}") from None
    elif command == "expect-shown":
        until(f"nothing named {args[0]!r} shown", lambda: find_shown(pid, args[0]))
    elif command == "expect-focused":
        seen = []

        def focused_is_wanted():
            app = application(pid)
            focused = next((node for node in shown_nodes(app)
                            if node.getState().contains(pyatspi.STATE_FOCUSED)), None)
            seen[:] = [plain_name(focused) if focused is not None else None]
            return focused if focused is not None and matches(seen[0], args[0]) else None

        try:
            until(f"nothing focused", focused_is_wanted)
        except Failed:
            raise Failed(f"the focus is on {seen[0]!r}, not {args[0]!r}") from None
    elif command == "menu":
        for item in args:
            node = until(f"no menu item {item!r} shown",
                         lambda: find_shown(pid, item, ("menu item", "menu")))
            press(node, 1)
    elif command == "click":
        roles = args[1:] or None
        press(until(f"no control {args[0]!r} shown", lambda: find_shown(pid, args[0], roles)), 1)
    elif command in ("click-left", "click-right"):
        def placed():
            app = application(pid)
            found = [node for node in shown_nodes(app) if matches(plain_name(node), args[0])]
            return sorted(found, key=lambda node: extents(node)[0]) or None

        found = until(f"no control {args[0]!r} shown", placed)
        press(found[0] if command == "click-left" else found[-1], 1)
    elif command == "rightclick":
        press(until(f"no control {args[0]!r} shown", lambda: find_shown(pid, args[0])), 3)
    elif command == "extents":
        roles = args[1:] or None
        node = until(f"no control {args[0]!r} shown", lambda: find_shown(pid, args[0], roles))
        print(*extents(node))
    elif command == "dump":
        def show(node, depth):
            for child in node:
                if child is not None and showing(child):
                    print("  " * depth, child.getRoleName(), repr(child.name), extents(child))
                    show(child, depth + 1)
        show(until("no window", lambda: application(pid)), 0)
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    try:
        main(int(sys.argv[1]), sys.argv[2], sys.argv[3:])
    except Failed as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        sys.exit(1)
