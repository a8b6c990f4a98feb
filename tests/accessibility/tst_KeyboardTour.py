"""The tour of the run command (a guide, a page turned, the videos, the
player, the contact page, the settings) by a user without a mouse: only
keys go in, through xdotool on the test's X display.  What the program did
is read from outside: the demo server's log of requests, the accessibility
tree (where the focus is, as a screen reader says it), the settings file
and the process's end."""

import os
import sys

import pyatspi

from atspi_program import MAIN, PLAYER, SETTINGS, Program, keys, wait_for

DEMO_LOG = os.environ["VELMORA_DEMO_LOG"]


def log_size():
    try:
        return os.path.getsize(DEMO_LOG)
    except OSError:
        return 0


def requests_since(offset):
    with open(DEMO_LOG, "rb") as log:
        log.seek(offset)
        return log.read().decode("latin-1")


def viewer_description(program):
    return program.find(MAIN, "Coder's Guide").description


def step(what):
    print("-- " + what, flush=True)


def main():
    program = Program()
    start = log_size()
    try:
        # The splash goes by itself.
        program.active_window(MAIN)

        step("Guides, the Coder guide, Load")
        program.activate(MAIN, "Guides")
        program.wait_for_focus(MAIN, "Select a guide type:")
        keys("Down", "Down")
        program.activate(MAIN, "Load")
        # The focus goes to "First Page" only if that is enabled by then.
        program.find(MAIN, "Coder's Guide")
        wait_for(lambda: requests_since(start).count("/demo/coder/") > 2,
                 "pages of the Coder guide from the server", 120)

        step("a page turned")
        wait_for(lambda: program.find(MAIN, "Next Page").getState().contains(
            pyatspi.STATE_SENSITIVE), "a second page", 120)
        program.activate(MAIN, "Next Page")
        wait_for(lambda: viewer_description(program).startswith("Page 2/"),
                 "page 2 on the counter (it reads %r)" % viewer_description(program), 30)

        step("Videos, the first video, the player")
        program.activate(MAIN, "Videos")
        program.wait_for_focus(MAIN, "Type video name to search")
        program.tab_to(MAIN, "Select a video to view")
        video_list = program.find(MAIN, "Select a video to view")
        wait_for(lambda: video_list.childCount > 0, "the video list", 60)
        before_player = log_size()
        keys("Down", "Return")
        program.active_window(PLAYER)
        wait_for(lambda: "pmovie.php" in requests_since(before_player), "the player page", 120)
        program.activate(PLAYER, "Back to videos")
        program.active_window(MAIN)

        step("back to the welcome screen, the contact page")
        program.activate(MAIN, "Back to welcome")
        before_contact = log_size()
        program.activate(MAIN, "Velmora online")
        wait_for(lambda: "contactus.php" in requests_since(before_contact), "the contact page",
                 120)
        program.find(MAIN, "Contact Us")
        program.activate(MAIN, "Back to welcome")

        step("the settings: the video section at start, Update")
        program.activate(MAIN, "Settings")
        program.active_window(SETTINGS)
        program.tab_to(SETTINGS, "Show Welcome message on start")
        keys("Down", "Down")
        program.wait_for_focus(SETTINGS, "Show Video section on start")
        program.activate(SETTINGS, "Update")
        program.active_window(MAIN)

        def startup_stored():
            with open(os.path.join(program.home.name, "Velmora", "settings.ini")) as stored:
                return "Startup=Videos" in stored.read()

        wait_for(startup_stored, "Startup=Videos in the user's settings", 30)

        step("Exit, from the top right hot spot")
        program.activate(MAIN, "Exit")
        wait_for(lambda: program.process.poll() is not None, "the program to end", 30)
        if program.process.returncode != 0:
            raise AssertionError("the program ended with %d" % program.process.returncode)
    except AssertionError as failure:
        print("FAIL: %s" % failure, flush=True)
        print("0 passed, 1 failed")
        return 1
    finally:
        program.stop()
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
