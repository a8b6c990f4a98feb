#include "SelectAllOnFocus.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace velmora {

SelectAllOnFocus::SelectAllOnFocus(QLineEdit* box) : QObject(box), m_box(box) {
    box->installEventFilter(this);
}

bool SelectAllOnFocus::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_box)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        // A click gives the focus before the box sees the press.
        m_clickGaveFocus = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
        m_box->selectAll();
        return false;
    case QEvent::FocusOut:
        m_clickGaveFocus = false;
        m_holdingClick = false;
        return false;
    case QEvent::MouseButtonPress:
        // Another button keeps its own use (the middle one pastes).
        m_holdingClick =
            m_clickGaveFocus && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        m_clickGaveFocus = false;
        return m_holdingClick;
    case QEvent::MouseMove:
        return m_holdingClick;
    case QEvent::MouseButtonRelease:
        m_holdingClick = false;
        return false;
    default:
        return false;
    }
}

} // namespace velmora
