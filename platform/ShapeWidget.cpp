#include "ShapeWidget.h"

#include <QPainter>

namespace velmora {

ShapeWidget::ShapeWidget(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {
    // A line must not catch clicks meant for what lies under it.
    setAttribute(Qt::WA_TransparentForMouseEvents, kind == Kind::Line);
}

void ShapeWidget::setFillColor(const QColor& colour) {
    m_fill = colour;
    update();
}

void ShapeWidget::setBorderColor(const QColor& colour) {
    m_border = colour;
    update();
}

void ShapeWidget::setFilled(bool filled) {
    m_filled = filled;
    update();
}

void ShapeWidget::setBorderVisible(bool visible) {
    m_borderVisible = visible;
    update();
}

void ShapeWidget::setLine(const QPoint& from, const QPoint& to) {
    m_from = from;
    m_to = to;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_kind == Kind::Line) {
        painter.setPen(m_border);
        painter.drawLine(m_from, m_to);
        return;
    }
    if (m_filled)
        painter.fillRect(rect(), m_fill);
    if (m_borderVisible) {
        painter.setPen(m_border);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace velmora
