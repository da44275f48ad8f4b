#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Walks Orbisk's window over AT-SPI, as a screen reader sees it.

Every push button, radio button, edit field and menu item must have a name;
every one but the menu items must be focusable (Tab or the arrow keys reach
it) and every one must offer an action, so it can be activated without a
mouse. Prints what is wrong and exits 1, or prints a count and exits 0; 3
when the application never appeared (it could not start).
"""
import sys
import time

import pyatspi

ACTED = {
    pyatspi.ROLE_PUSH_BUTTON: "push button",
    pyatspi.ROLE_RADIO_BUTTON: "radio button",
    pyatspi.ROLE_TEXT: "edit field",
    pyatspi.ROLE_ENTRY: "edit field",
    pyatspi.ROLE_MENU_ITEM: "menu item",
}


def find_application(name, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name and app.childCount > 0:
                return app
        time.sleep(0.5)
    return None


def walk(node, found, depth=0):
    if node is None or depth > 40:
        return
    states = node.getState()
    # Menu items count whether or not their menu is open.
    if node.getRole() == pyatspi.ROLE_MENU_ITEM or (
            node.getRole() in ACTED and states.contains(pyatspi.STATE_SHOWING)):
        found.append(node)
    # The web page's own content is the page's affair, not the window's.
    if node.getRole() in (pyatspi.ROLE_DOCUMENT_WEB, pyatspi.ROLE_DOCUMENT_FRAME):
        return
    for i in range(node.childCount):
        walk(node.getChildAtIndex(i), found, depth + 1)


def problems_of(node, reachable_descriptions):
    kind = ACTED[node.getRole()]
    name = (node.name or "").replace("&", "").strip()
    if not name:
        return [f"a {kind} has no name"]
    wrong = []
    states = node.getState()
    # A picture that repeats a reachable control (the icon beside Go) may
    # leave the keyboard to that control.
    if (kind != "menu item" and not states.contains(pyatspi.STATE_FOCUSABLE)
            and node.description not in reachable_descriptions):
        wrong.append(f"{kind} \"{name}\" cannot take the keyboard")
    try:
        actions = node.queryAction().nActions
    except NotImplementedError:
        actions = 0
    # A greyed control has nothing to do until it comes back.
    if actions == 0 and kind != "edit field" and states.contains(pyatspi.STATE_SENSITIVE):
        wrong.append(f"{kind} \"{name}\" offers no action")
    return wrong


def main():
    app = find_application(sys.argv[1] if len(sys.argv) > 1 else "orbisk", 60)
    if app is None:
        print("atspi: the application never appeared on the accessibility bus")
        return 3
    found = []
    walk(app, found)
    reachable = {node.description for node in found
                 if node.description and node.getState().contains(pyatspi.STATE_FOCUSABLE)}
    wrong = [problem for node in found for problem in problems_of(node, reachable)]
    kinds = {}
    for node in found:
        kinds[ACTED[node.getRole()]] = kinds.get(ACTED[node.getRole()], 0) + 1
    if wrong:
        print("\n".join(wrong))
        return 1
    print("atspi: " + ", ".join(f"{count} {kind}s" for kind, count in sorted(kinds.items()))
          + " named, reachable and with an action")
    return 0 if kinds.get("push button", 0) >= 5 and kinds.get("edit field", 0) >= 3 else 1


if __name__ == "__main__":
    sys.exit(main())
