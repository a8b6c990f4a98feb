#include "DisplayWatcher.h"

#include "DisplayServices.h"
#include "ScreenResolution.h"
#include "WatcherTick.h"
#include "app/FocusTracker.h"
#include "app/ShellGlobals.h"
#include "platform/Yield.h"

#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace velmora {

namespace {

// Far longer than a window manager takes to hand the focus on, even on a
// loaded machine; short enough that a user who went elsewhere gets the
// display back at once.
constexpr qint64 kHandOverMs = 1000;

} // namespace

DisplayWatcher::DisplayWatcher(QWidget* window, QTimer* timer1, QTimer* timer2,
                               const FocusTracker& focus, DisplayServices& display,
                               ScreenResolution& resolution, QObject* parent)
    : QObject(parent), m_window(window), m_timer1(timer1), m_timer2(timer2), m_focus(focus),
      m_display(display), m_resolution(resolution) {
    if (m_timer1)
        connect(m_timer1, &QTimer::timeout, this, &DisplayWatcher::Timer1_Timer);
    if (m_timer2)
        connect(m_timer2, &QTimer::timeout, this, &DisplayWatcher::Timer2_Timer);
}

void DisplayWatcher::stop() {
    m_armed = false;
    for (QTimer* timer : {m_timer1, m_timer2})
        if (timer)
            timer->stop();
}

void DisplayWatcher::Timer1_Timer() {
    const Qt::WindowStates state = m_window->windowState();
    // Enabling a running timer must not restart its interval, or it would
    // never come round.
    if (!(state & (Qt::WindowMinimized | Qt::WindowMaximized)) && m_timer2 && !m_timer2->isActive())
        m_timer2->start();
}

bool DisplayWatcher::awaitingHandOver() const {
    // A window that lost the focus to another program is still shown.
    const QWindow* lastFocus = m_focus.lastFocus();
    const bool lastFocusClosed = !lastFocus || !lastFocus->isVisible();
    return lastFocusClosed && !m_inactiveSince.hasExpired(kHandOverMs);
}

void DisplayWatcher::Timer2_Timer() {
    if (!m_armed)
        return;
    WatchedState state;
    state.active = m_display.programWindowActive();
    if (state.active)
        m_inactiveSince.invalidate();
    else if (!m_inactiveSince.isValid())
        m_inactiveSince.start();
    state.minimised = m_window->isMinimized();
    state.restored = m_ResolutionRestored;
    // The hand-over clock runs only while none of the windows is active.
    state.handOverPending = !state.active && awaitingHandOver();
    switch (decideTick(state)) {
    case TickAction::None:
        return;
    case TickAction::GiveBackUsersSize:
        m_ResolutionRestored = true;
        m_resolution.SetScreenResolution(g_SavedScreenWidth, g_SavedScreenHeight);
        m_window->setWindowState(m_window->windowState() | Qt::WindowMinimized);
        if (m_timer2)
            m_timer2->stop();
        return;
    case TickAction::SwitchToDesignSize:
        m_ResolutionRestored = false;
        yieldEvents(4);
        m_resolution.SetScreenResolution(1024, 768);
        return;
    }
}

} // namespace velmora
