#include "FocusTracker.h"

#include <QGuiApplication>
#include <QWindow>

namespace velmora {

FocusTracker::FocusTracker(QObject* parent) : QObject(parent) {
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* window) {
        // No focus window is another program in front, or a moment between
        // two of ours: what held the focus last still counts.
        if (!window)
            return;
        m_lastFocus = window;
        emit focusTaken(window);
    });
}

QWindow* FocusTracker::lastFocus() const {
    return m_lastFocus;
}

} // namespace velmora
