#pragma once

#include <QObject>
#include <QPointer>

class QWindow;

namespace velmora {

/// The program's one follower of the focus: it passes on each window that
/// takes the focus and remembers the last one, which stays while another
/// program is in front (then none of ours holds the focus).
class FocusTracker : public QObject {
    Q_OBJECT
public:
    explicit FocusTracker(QObject* parent = nullptr);

    /// The window of the program that held the focus last; null once that
    /// window is gone.
    QWindow* lastFocus() const;

signals:
    /// `window` (never null) took the focus; lastFocus() is it already.
    void focusTaken(QWindow* window);

private:
    QPointer<QWindow> m_lastFocus;
};

} // namespace velmora
