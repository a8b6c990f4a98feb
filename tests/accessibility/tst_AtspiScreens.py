"""Every screen of the program as a screen reader sees it over AT-SPI: each
element a user can act on has a role, a name and takes the keyboard focus,
Tab visits them in reading order (rows from the top, each from the left),
and Return on a control does what its click does."""

import os
import sys

import pyatspi

from atspi_program import (MAIN, PLAYER, SETTINGS, Program, action_names, describe, keys,
                           name_of, wait_for, walk)

ACTION_ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_LINK, pyatspi.ROLE_RADIO_BUTTON,
                pyatspi.ROLE_COMBO_BOX}

# The tab stops of each screen in reading order, from the design's
# positions: two controls share a row when their heights overlap by at
# least half of the lower one.  Controls covered by a panel in front,
# hidden or disabled ones are no stops.
WELCOME = ["Minimize", "Exit", "Guides", "Videos", "Settings", "Change the welcome colours",
           "About", "Velmora online", "Exit"]
# Settings is disabled outside the welcome screen; the tall panels share
# their first row with the left panel's entries beside them.
GUIDE_SELECTION = ["Minimize", "Exit", "Back to welcome", "Exit", "Guides", "Videos",
                   "Select a guide type:", "Load", "Instructions", "About"]
# On the first page "Previous Page" is disabled.
READER = ["Minimize", "Exit", "Back to guides", "Guides", "Videos", "About", "Coder's Guide",
          "Reload", "First Page", "Next Page", "Last Page", "Goto Page", "Go!"]
# The main window's "Back to welcome" lies over the panel's own.
VIDEOS = ["Minimize", "Exit", "Back to welcome", "Exit", "Guides", "Videos for buyer or coder?",
          "Videos", "Type video name to search", "Select a video to view", "Load", "Instructions",
          "About"]
# "Back" is disabled until another page was opened; Settings stays enabled
# on the panel, opened from the welcome screen; the page comes last.
WEB_PANEL = ["Minimize", "Exit", "Next", "Contact Us", "Back to welcome", "Exit", "Guides",
             "Videos", "Settings", "About"]
# The start options are one group: Tab enters it at its chosen option (the
# first while none is chosen), the arrows move within it.
SETTINGS_STOPS = ["Show Welcome message on start", "Welcome screen back color",
                  "Welcome screen font color", "Update", "Cancel", "Instructions"]

DEMO_LOG = os.environ["VELMORA_DEMO_LOG"]

failures = []


def log_size():
    return os.path.getsize(DEMO_LOG) if os.path.exists(DEMO_LOG) else 0


def requests_since(offset):
    with open(DEMO_LOG, "rb") as log:
        log.seek(offset)
        return log.read().decode("latin-1")


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, flush=True)


def check_actionable(program, title, screen):
    """Every showing element with a press action is a named, focusable control."""
    seen = 0
    for node in walk(program.window(title)):
        actions = [name.lower() for name in action_names(node)]
        if "press" not in actions and "click" not in actions and "toggle" not in actions:
            continue
        seen += 1
        state = node.getState()
        check(node.getRole() in ACTION_ROLES or node.getRole() == pyatspi.ROLE_CHECK_BOX,
              "%s: %s has no control's role" % (screen, describe(node)))
        check(bool(name_of(node).strip()), "%s: %s has no name" % (screen, describe(node)))
        check(state.contains(pyatspi.STATE_FOCUSABLE),
              "%s: %s cannot take the focus" % (screen, describe(node)))
    check(seen > 0, "%s: nothing to act on was found" % screen)


def check_tab_order(program, title, screen, expected, wraps=True):
    """Tab from the first stop visits `expected` in order (and round again)."""
    program.tab_to(title, expected[0])
    visited = [expected[0]]
    for _ in expected[1:] + ([expected[0]] if wraps else []):
        visited.append(program.press(title))
    want = expected + ([expected[0]] if wraps else [])
    check(visited == want, "%s: Tab visited %r, expected %r" % (screen, visited, want))
    # Shift+Tab goes back the same way.
    if wraps:
        back = program.press(title, "shift+Tab")
        check(back == want[-2], "%s: Shift+Tab went to %r, expected %r" % (screen, back, want[-2]))


def check_screen(program, title, screen, expected, wraps=True):
    print("== " + screen, flush=True)
    check_actionable(program, title, screen)
    for name in expected:
        node = program.find(title, name)
        check(node.getState().contains(pyatspi.STATE_FOCUSABLE),
              "%s: %s is no tab stop" % (screen, describe(node)))
    check_tab_order(program, title, screen, expected, wraps)


def main():
    program = Program()
    try:
        program.active_window(MAIN)
        # The window gives the focus where the mouse user has always seen it:
        # on Settings, not on a control only the keyboard reaches.
        program.wait_for_focus(MAIN, "Settings")
        guides = program.find(MAIN, "Guides")
        check(guides.getRole() == pyatspi.ROLE_PUSH_BUTTON, "Guides: " + describe(guides))
        check(guides.description == "Click here to view Guides...",
              "the tool tip is no longer the description: %r" % guides.description)
        here = program.find(MAIN, "Velmora online")
        check(here.getRole() == pyatspi.ROLE_LINK, "the here link: " + describe(here))
        check_screen(program, MAIN, "welcome", WELCOME)

        # Return on Guides opens the guide selection with the guide list.
        program.activate(MAIN, "Guides")
        program.wait_for_focus(MAIN, "Select a guide type:")
        check_screen(program, MAIN, "guide selection", GUIDE_SELECTION)

        # The Coder guide, loaded by keys; the reader once every page is in.
        program.tab_to(MAIN, "Select a guide type:")
        keys("Down", "Down")
        program.activate(MAIN, "Load")
        # The focus goes to "First Page" only if that is enabled by then.
        program.find(MAIN, "Coder's Guide")
        back = program.find(MAIN, "Back to guides")
        wait_for(lambda: back.getState().contains(pyatspi.STATE_SENSITIVE),
                 "the whole guide to arrive", 120)
        viewer = program.find(MAIN, "Coder's Guide")
        check(viewer.description.startswith("Page 1/"),
              "the viewer's description is not the counter: %r" % viewer.description)
        check_screen(program, MAIN, "reader", READER)

        # Videos, by the left panel's entry.
        program.activate(MAIN, "Videos")
        program.wait_for_focus(MAIN, "Type video name to search")
        check_screen(program, MAIN, "videos", VIDEOS)

        # The player: Return on a list line plays it; Escape leaves it.
        program.tab_to(MAIN, "Select a video to view")
        keys("Down", "Return")
        program.active_window(PLAYER)
        check_screen(program, PLAYER, "player", ["Back to videos"], wraps=False)
        keys("Escape")
        program.active_window(MAIN)

        # Back to the welcome screen, then the "here" link shows the contact page.
        program.activate(MAIN, "Back to welcome")
        program.tab_to(MAIN, "Velmora online")
        before = log_size()
        keys("Return")
        program.find(MAIN, "Contact Us")
        wait_for(lambda: "contactus.php" in requests_since(before), "the contact page", 120)
        check_screen(program, MAIN, "web panel", WEB_PANEL, wraps=False)

        # Settings, from the welcome screen.
        program.activate(MAIN, "Back to welcome")
        program.activate(MAIN, "Settings")
        program.active_window(SETTINGS)
        check_screen(program, SETTINGS, "settings", SETTINGS_STOPS)
        keys("Escape")
        program.active_window(MAIN)
    finally:
        program.stop()
    print("%d passed, %d failed" % (0 if failures else 1, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
