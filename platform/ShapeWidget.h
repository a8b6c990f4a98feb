#pragma once

#include <QColor>
#include <QWidget>

namespace velmora {

/// A rectangle shape or a line drawn on a window: fill and border colour for
/// the rectangle; a line runs between two points inside the widget.
class ShapeWidget : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Rectangle, Line };
    explicit ShapeWidget(Kind kind, QWidget* parent = nullptr);

    void setFillColor(const QColor& colour);
    void setBorderColor(const QColor& colour);
    void setFilled(bool filled);
    void setBorderVisible(bool visible);
    /// Line end points, relative to the widget.
    void setLine(const QPoint& from, const QPoint& to);

    QColor fillColor() const { return m_fill; }
    QColor borderColor() const { return m_border; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind;
    QColor m_fill = Qt::white;
    QColor m_border = Qt::black;
    bool m_filled = true;
    bool m_borderVisible = true;
    QPoint m_from;
    QPoint m_to;
};

} // namespace velmora
