"""The built program on the test's X display, seen and driven as a
keyboard-only or screen-reader user meets it: keys through xdotool, what is
on screen through AT-SPI, the accessibility bus every Linux desktop uses.

Runs inside a session bus of the test's own (dbus-run-session), on which
the accessibility bus and its registry start on demand."""

import os
import subprocess
import tempfile
import time

import pyatspi

# The program's windows by title and an element only they hold: the
# player has the main window's title.
MAIN = ("Velmora package", "Minimize")
PLAYER = ("Velmora package", "Back to videos")
SETTINGS = ("Settings", "Update")


def wait_for(condition, what, timeout=60.0):
    """The first true value of condition(), polled until timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = condition()
        except Exception:  # an object that went away while we read it
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.1)


def keys(*names):
    """Types key names (xdotool's) one after another."""
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)


def states(node):
    return node.getState()


def showing(node):
    state = states(node)
    return state.contains(pyatspi.STATE_SHOWING) and state.contains(pyatspi.STATE_VISIBLE)


def action_names(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def children(node):
    try:
        return [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:
        return []


# Inside these the widget's own keys and the page's own tree rule; a test
# looks at the control itself, not at its parts.
COMPOUND_ROLES = {
    pyatspi.ROLE_LIST,
    pyatspi.ROLE_LIST_BOX,
    pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_TEXT,
    pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_DOCUMENT_WEB,
    pyatspi.ROLE_DOCUMENT_FRAME,
    pyatspi.ROLE_SCROLL_BAR,
}


def walk(node, showing_only=True):
    """The node's showing descendants, without the parts of compound controls."""
    for child in children(node):
        if child is None or (showing_only and not showing(child)):
            continue
        yield child
        if child.getRole() not in COMPOUND_ROLES:
            yield from walk(child, showing_only)


def name_of(node):
    """What a screen reader calls the element: its name, or for a combo box
    (whose name is its current text) the label it is labelled by."""
    if node.getRole() == pyatspi.ROLE_COMBO_BOX:
        for relation in node.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                return relation.getTarget(0).name
    return node.name


def describe(node):
    return "%s %r" % (node.getRoleName(), name_of(node))


class Program:
    """VelmoraViewer started with its accessibility bridge on."""

    def __init__(self):
        self.home = tempfile.TemporaryDirectory(prefix="velmora-atspi-")
        env = dict(os.environ)
        env.update(
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
            QT_ACCESSIBILITY="1",
            QT_QPA_PLATFORM="xcb",
            XDG_CONFIG_HOME=self.home.name,
        )
        self.process = subprocess.Popen(
            [os.path.join(os.environ["VELMORA_BUILD_BIN"], "VelmoraViewer")], env=env
        )
        self.app = wait_for(self._application, "the program on the accessibility bus")

    def _application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in children(desktop):
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def window(self, which, timeout=60.0):
        """The program's showing window `which` (title, marker)."""
        title, marker = which

        def matches(window):
            return (window is not None and window.name == title and showing(window)
                    and any(node.name == marker for node in walk(window)))

        return wait_for(lambda: next((w for w in children(self.app) if matches(w)), None),
                        "the window %r with %r" % which, timeout)

    def active_window(self, title, timeout=60.0):
        """Waits until `title` is the window the keys go to."""

        def active():
            window = self.window(title, timeout)
            return window if states(window).contains(pyatspi.STATE_ACTIVE) else None

        return wait_for(active, "%r active" % (title,), timeout)

    def find(self, title, name, timeout=60.0):
        """The showing element `name` of window `title` that is no label."""

        def found():
            for node in walk(self.window(title, timeout)):
                if name_of(node) == name and node.getRole() != pyatspi.ROLE_LABEL:
                    return node
            return None

        return wait_for(found, "%r in %r" % (name, title), timeout)

    def focused(self, title):
        """The element of window `title` that holds the keyboard focus, or None."""
        focused = [node for node in walk(self.window(title))
                   if states(node).contains(pyatspi.STATE_FOCUSED)]
        # The web view and its page keep saying they are focused after the
        # focus left them: a control of the window that says so too is the one.
        own = [node for node in focused
               if node.getRole() not in (pyatspi.ROLE_FILLER, pyatspi.ROLE_DOCUMENT_WEB)]
        return (own or focused or [None])[0]

    def focused_name(self, title):
        node = self.focused(title)
        return name_of(node) if node is not None else None

    def wait_for_focus(self, title, name, timeout=30.0):
        return wait_for(
            lambda: self.focused_name(title) == name,
            "the focus on %r (it is on %r)" % (name, self.focused_name(title)),
            timeout,
        )

    def focus_key(self, title):
        """Who holds the focus, told apart from a namesake by its place."""
        node = self.focused(title)
        if node is None:
            return None
        try:
            extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            place = (extents.x, extents.y)
        except NotImplementedError:
            place = None
        return (name_of(node), node.getRole(), place)

    def press(self, title, key="Tab", timeout=15):
        """Presses `key` and waits for the focus to move; the new holder's name."""
        before = self.focus_key(title)
        keys(key)
        after = wait_for(
            lambda: (lambda now: now if now is not None and now != before else None)(
                self.focus_key(title)
            ),
            "the focus to move from %r by %s" % (before, key),
            timeout,
        )
        return after[0]

    def tab_to(self, title, name, limit=60):
        """Presses Tab until `name` holds the focus.  Inside a web page Tab
        goes from link to link, which the window's own tree does not show."""
        for _ in range(limit):
            if self.focused_name(title) == name:
                return
            try:
                self.press(title, timeout=3)
            except AssertionError:
                pass
        raise AssertionError("Tab never reached %r" % name)

    def activate(self, title, name, key="Return"):
        """Tabs to `name` and presses `key` there."""
        self.tab_to(title, name)
        keys(key)

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait(10)
        self.home.cleanup()
