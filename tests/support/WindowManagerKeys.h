#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

namespace velmora::test {

/// The window manager's keys (Alt+F4 and the like) typed as a user types
/// them on the X server of $DISPLAY, and only when they can reach their
/// window: once the window manager has shown that it takes keys, and once
/// the target holds the input focus with the window manager naming it the
/// active window.  A key typed earlier goes to no window or the wrong one.
class WindowManagerKeys {
public:
    /// Proves, once per process and display, that the window manager takes
    /// keys: a probe window of the test's own, in front, gets the window
    /// manager's close request after Alt+F4.  The first test on a display
    /// calls it; press() does too.
    static bool ready(int timeoutMs = 30000);
    /// Types `keys` (xdotool's names) once `target` holds the focus.
    static bool press(const QWidget& target, const QStringList& keys, int timeoutMs = 15000);
    /// Types `keys` once the window titled exactly `title` (another
    /// process's) holds the focus.
    static bool pressOn(const QString& title, const QStringList& keys, int timeoutMs = 15000);
};

} // namespace velmora::test
