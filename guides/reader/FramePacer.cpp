#include "FramePacer.h"

namespace velmora {

FramePacer::FramePacer(QObject* parent) : QObject(parent) {
    m_frame.setSingleShot(true);
    m_frame.setInterval(kFrameMs);
    connect(&m_frame, &QTimer::timeout, this, &FramePacer::release);
}

FramePacer::~FramePacer() {
    release();
}

void FramePacer::setControls(const QList<QWidget*>& controls) {
    release();
    m_controls.clear();
    for (QWidget* control : controls) {
        if (control)
            m_controls << control;
    }
}

void FramePacer::hold() {
    if (m_frame.isActive())
        return;
    for (const QPointer<QWidget>& control : std::as_const(m_controls)) {
        if (control)
            control->setUpdatesEnabled(false);
    }
    m_frame.start();
}

void FramePacer::release() {
    m_frame.stop();
    // Updates back on: each control is painted once, as it is now.
    for (const QPointer<QWidget>& control : std::as_const(m_controls)) {
        if (control && !control->updatesEnabled())
            control->setUpdatesEnabled(true);
    }
}

} // namespace velmora
