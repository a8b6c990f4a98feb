#pragma once

#include <QWidget>

namespace velmora {

/// The focus indicator of a control whose own children cover it (the page
/// viewer under its page): a frame laid over the control, shown while the
/// keyboard has given it the focus (Tab, Shift+Tab) and never for the focus
/// a click gives, so that the mouse user's picture stays as it is.
class FocusFrame : public QWidget {
    Q_OBJECT
public:
    /// Lays a frame over `control` (which owns it).
    static void attach(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    explicit FocusFrame(QWidget* control);
};

} // namespace velmora
