#include "ClickLabel.h"

#include "ClickLabelAccessible.h"
#include "FocusIndicator.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace velmora {

void ClickLabel::makeTabStop(QAccessible::Role role, Activation activation) {
    ClickLabelAccessible::install();
    m_role = role;
    m_activation = activation;
    setFocusPolicy(Qt::TabFocus);
}

void ClickLabel::activate() {
    if (m_activation == Activation::DoubleClick)
        emit doubleClicked();
    else
        emit clicked();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
    if (isTabStop() && isActivationKey(*event)) {
        event->accept();
        // A held key activates once.
        if (!event->isAutoRepeat())
            activate();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        drawFocusIndicator(painter, rect());
    }
}

} // namespace velmora
