#pragma once

#include <QElapsedTimer>
#include <QObject>

class QTimer;
class QWidget;

namespace velmora {

class DisplayServices;
class FocusTracker;
class ScreenResolution;

/// The focus watcher of the main window, built from its two 100 ms timers:
/// the user's resolution comes back (and the window is minimised) while the
/// program is not in front, and 1024 x 768 again when it is brought back.
class DisplayWatcher : public QObject {
    Q_OBJECT
public:
    DisplayWatcher(QWidget* window, QTimer* timer1, QTimer* timer2, const FocusTracker& focus,
                   DisplayServices& display, ScreenResolution& resolution,
                   QObject* parent = nullptr);

    /// The watcher acts only once the window has been active: on X11 a shown
    /// window is not active until the window manager has made it so, and
    /// that gap is no sign of another program in front.
    void arm() { m_armed = true; }
    /// Stops both timers for good: the window has been unloaded.
    void stop();

    bool resolutionRestored() const { return m_ResolutionRestored; }

public slots:
    void Timer1_Timer();
    void Timer2_Timer();

private:
    /// Whether the window manager may still be handing the focus from one
    /// of the program's windows that closed to another: on X11 that takes a
    /// moment in which none is active, and it is no sign of another program
    /// in front.  Bounded, so that a focus given elsewhere still counts.
    bool awaitingHandOver() const;

    QWidget* m_window;
    QTimer* m_timer1;
    QTimer* m_timer2;
    const FocusTracker& m_focus;
    DisplayServices& m_display;
    ScreenResolution& m_resolution;
    bool m_armed = false;
    bool m_ResolutionRestored = false;
    QElapsedTimer m_inactiveSince;
};

} // namespace velmora
