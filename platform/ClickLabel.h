#pragma once

#include <QLabel>

namespace velmora {

/// A text or image label that reports clicks, as the windows' hot spots,
/// icons and links need.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace velmora
