#include "WindowManagerKeys.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QSet>
#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <functional>
#include <memory>

namespace velmora::test {

namespace {

using XDisplay = std::unique_ptr<Display, int (*)(Display*)>;

XDisplay openDisplay() {
    return XDisplay(XOpenDisplay(nullptr), XCloseDisplay);
}

// Windows come and go while the test looks at them (a box closes, a GL
// surface is dropped): an X error about a window gone is an answer, and
// Xlib's default handler would end the test on it.
class IgnoreXErrors {
public:
    explicit IgnoreXErrors(Display* x) : m_x(x), m_previous(XSetErrorHandler(ignore)) {}
    ~IgnoreXErrors() {
        XSync(m_x, False);
        XSetErrorHandler(m_previous);
    }
    IgnoreXErrors(const IgnoreXErrors&) = delete;
    IgnoreXErrors& operator=(const IgnoreXErrors&) = delete;

private:
    static int ignore(Display*, XErrorEvent*) { return 0; }
    Display* m_x;
    XErrorHandler m_previous;
};

Atom atom(Display* x, const char* name) {
    return XInternAtom(x, name, False);
}

// The window the window manager names active (_NET_ACTIVE_WINDOW), or None.
Window activeWindow(Display* x) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window active = None;
    if (XGetWindowProperty(x, DefaultRootWindow(x), atom(x, "_NET_ACTIVE_WINDOW"), 0, 1, False,
                           XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
        data && type == XA_WINDOW && format == 32 && count == 1)
        active = *reinterpret_cast<Window*>(data);
    if (data)
        XFree(data);
    return active;
}

bool isWithin(Display* x, Window window, Window ancestor) {
    while (window != None && window != PointerRoot) {
        if (window == ancestor)
            return true;
        Window root = None, parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(x, window, &root, &parent, &children, &count))
            return false;
        if (children)
            XFree(children);
        if (parent == root)
            return false;
        window = parent;
    }
    return false;
}

// Whether the X server's input focus lies in `window` and the window
// manager names it the active window: both have answered.
bool holdsFocus(Display* x, Window window) {
    const IgnoreXErrors quiet(x);
    Window focus = None;
    int revert = 0;
    XGetInputFocus(x, &focus, &revert);
    return window != None && activeWindow(x) == window && isWithin(x, focus, window);
}

QString windowName(Display* x, Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    QString name;
    if (XGetWindowProperty(x, window, atom(x, "_NET_WM_NAME"), 0, 1024, False,
                           atom(x, "UTF8_STRING"), &type, &format, &count, &after,
                           &data) == Success &&
        data && format == 8)
        name = QString::fromUtf8(reinterpret_cast<const char*>(data), int(count));
    if (data)
        XFree(data);
    return name;
}

bool typeKeys(const QStringList& keys) {
    return QProcess::execute(QStringLiteral("xdotool"),
                             QStringList{QStringLiteral("key")} + keys) == 0;
}

// Waits, letting the test's own windows take part, until `condition` holds.
bool waitFor(const std::function<bool()>& condition, qint64 timeoutMs) {
    return QTest::qWaitFor(condition, int(qMax<qint64>(timeoutMs, 0)));
}

// Types `keys` once `target` (found anew on each look: a window may come
// late or be replaced) holds the focus.
bool pressWhenFocused(const std::function<Window(Display*)>& target, const QStringList& keys,
                      int timeoutMs) {
    if (!WindowManagerKeys::ready())
        return false;
    const XDisplay x = openDisplay();
    if (!x)
        return false;
    const bool focused = waitFor([&] { return holdsFocus(x.get(), target(x.get())); }, timeoutMs);
    return focused && typeKeys(keys);
}

// A plain window that asks for the window manager's close requests, put in
// front; true once Alt+F4 brought one.
class Probe {
public:
    explicit Probe(Display* x) : m_x(x) {
        m_window = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 160, 80, 0, 0, 0);
        XStoreName(x, m_window, "window manager key probe");
        m_delete = atom(x, "WM_DELETE_WINDOW");
        XSetWMProtocols(x, m_window, &m_delete, 1);
        XMapRaised(x, m_window);
        XSync(x, False);
    }
    ~Probe() {
        XDestroyWindow(m_x, m_window);
        XSync(m_x, False);
    }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    bool closeRequested() {
        while (XPending(m_x)) {
            XEvent event;
            XNextEvent(m_x, &event);
            if (event.type == ClientMessage && event.xclient.format == 32 &&
                Atom(event.xclient.data.l[0]) == m_delete)
                return true;
        }
        return false;
    }
    // Asks the window manager to activate the probe, as a task bar does.
    void requestFocus() {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = m_window;
        event.xclient.message_type = atom(m_x, "_NET_ACTIVE_WINDOW");
        event.xclient.format = 32;
        event.xclient.data.l[0] = 2;
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(m_x, DefaultRootWindow(m_x), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
        XFlush(m_x);
    }
    Window window() const { return m_window; }

private:
    Display* m_x;
    Window m_window = None;
    Atom m_delete = None;
};

} // namespace

bool WindowManagerKeys::ready(int timeoutMs) {
    static QSet<QByteArray> proven;
    const QByteArray display = qgetenv("DISPLAY");
    if (proven.contains(display))
        return true;
    const XDisplay x = openDisplay();
    if (!x)
        return false;
    Probe probe(x.get());
    const QDeadlineTimer deadline(timeoutMs);
    // A window manager still starting may not have taken its keys yet: Alt+F4
    // again, each time the probe holds the focus, until the request comes.
    while (!deadline.hasExpired()) {
        probe.requestFocus();
        if (!waitFor([&] { return holdsFocus(x.get(), probe.window()); },
                     qMin<qint64>(deadline.remainingTime(), 2000)))
            continue;
        if (!typeKeys({QStringLiteral("alt+F4")}))
            return false;
        if (waitFor([&] { return probe.closeRequested(); },
                    qMin<qint64>(deadline.remainingTime(), 2000))) {
            proven.insert(display);
            return true;
        }
    }
    return false;
}

bool WindowManagerKeys::press(const QWidget& target, const QStringList& keys, int timeoutMs) {
    const Window window = Window(target.winId());
    return pressWhenFocused([window](Display*) { return window; }, keys, timeoutMs);
}

bool WindowManagerKeys::pressOn(const QString& title, const QStringList& keys, int timeoutMs) {
    return pressWhenFocused(
        [title](Display* x) {
            const IgnoreXErrors quiet(x);
            const Window active = activeWindow(x);
            return active != None && windowName(x, active) == title ? active : Window(None);
        },
        keys, timeoutMs);
}

} // namespace velmora::test
