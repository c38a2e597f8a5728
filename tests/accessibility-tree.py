#!/usr/bin/python3
"""Reads the editor's windows as a screen reader does, over the desktop's accessibility bus (AT-SPI),
and fails on any interactive control in view that has no name. Opens the history, search and
comparison windows from their menu entries. Writes the tree of the main window to the file named.
Then adds an item by its tool-bar button, as a reader's user does, and expects the status "Ingen
mappe" to reach the bus as it changes, not only as pixels.

accessibility-tree.py DUMP-FILE
"""
import sys
import time

import pyatspi
from gi.repository import GLib

INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_MENU,
    pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_SLIDER, pyatspi.ROLE_SCROLL_BAR, pyatspi.ROLE_LIST,
    pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TABLE, pyatspi.ROLE_LINK,
}
# Rows and cells are named by the text they show; a list is checked as a whole.
LISTS = {pyatspi.ROLE_LIST, pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TABLE}
SHOWN_STATES = [(pyatspi.STATE_CHECKED, "pressed"), (pyatspi.STATE_FOCUSED, "focused"),
                (pyatspi.STATE_EDITABLE, "editable")]


# Waits are generous: on a busy machine the program may take long to start and to draw.
def application():
    for _ in range(300):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == "MQVEditor" and app.childCount > 0:
                return app
        time.sleep(0.2)
    sys.exit("the editor did not appear on the accessibility bus")


def frame(app, title_start):
    for _ in range(150):
        for window in app:
            if window is not None and window.name.startswith(title_start):
                return window
        time.sleep(0.2)
    sys.exit(f"no window '{title_start}' on the accessibility bus")


def walk(node, depth, lines, unnamed):
    states = node.getState()
    if not states.contains(pyatspi.STATE_SHOWING):
        return
    role = node.getRole()
    name = node.name or ""
    shown = [word for state, word in SHOWN_STATES if states.contains(state)]
    line = "  " * depth + f"{node.getRoleName()} \"{name}\""
    if node.description:
        line += f" ({node.description})"
    if shown:
        line += " [" + ", ".join(shown) + "]"
    lines.append(line)
    if role in INTERACTIVE and not name.strip():
        unnamed.append(line.strip())
    if role in LISTS:
        return
    for child in node:
        if child is not None:
            walk(child, depth + 1, lines, unnamed)


def check(window):
    lines, unnamed = [], []
    walk(window, 0, lines, unnamed)
    for line in unnamed:
        print(f"{window.name}: no name: {line}")
    return lines, unnamed


def find(node, role, name):
    if node.getRole() == role and node.name == name:
        return node
    for child in node:
        found = find(child, role, name) if child is not None else None
        if found:
            return found
    return None


def announced(main_window, button, text):
    heard = []
    listener = lambda event: heard.append(event.source.name if event.source else "")
    pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
    find(main_window, pyatspi.ROLE_PUSH_BUTTON, button).queryAction().doAction(0)
    for _ in range(150):
        while GLib.MainContext.default().iteration(False):
            pass
        if text in heard:
            return True
        time.sleep(0.1)
    print(f"'{text}' was not announced; heard {heard}")
    return False


def main():
    dump_file = sys.argv[1]
    app = application()
    main_window = frame(app, "Z-CD editor")
    lines, failures = check(main_window)
    with open(dump_file, "w", encoding="utf-8") as dump:
        dump.write("\n".join(lines) + "\n")
    for entry, title in [("Historik…", "Historik"), ("Søg i kataloget…", "Søg i kataloget"),
                         ("Sammenlign…", "Sammenlign")]:
        find(main_window, pyatspi.ROLE_MENU_ITEM, entry).queryAction().doAction(0)
        shown, unnamed = check(frame(app, title))
        print(f"{title}: {len(shown)} objects in view, {len(unnamed)} interactive without a name")
        failures += unnamed
    print(f"Main window: {len(lines)} objects in view, {len(failures)} interactive without a name in all")
    heard = announced(main_window, "Tilføj punkt", "Ingen mappe")
    sys.exit(0 if heard and not failures else 1)


main()
