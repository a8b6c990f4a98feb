#pragma once

#include <QAccessible>
#include <QLabel>

namespace velmora {

/// A text or image label that reports clicks, as the windows' hot spots,
/// icons and links need.  Made a tab stop, it also takes the keyboard: it
/// is reached with Tab only (a click gives it no focus, so the mouse user's
/// picture never changes), shows a focus indicator while it holds the
/// focus, and Return or Space activate it as the mouse does; assistive
/// technology then sees it with the role given here and a press action.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    /// What the keyboard and the press action stand for.
    enum class Activation { Click, DoubleClick };

    using QLabel::QLabel;

    /// Makes the label a tab stop that `activation` stands in for, seen by
    /// assistive technology as `role`; called before the label shows text.
    void makeTabStop(QAccessible::Role role, Activation activation = Activation::Click);
    bool isTabStop() const { return focusPolicy() & Qt::TabFocus; }
    QAccessible::Role accessibleRole() const { return m_role; }

    /// Does what the mouse does for the key or the press action.
    void activate();

signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QAccessible::Role m_role = QAccessible::StaticText;
    Activation m_activation = Activation::Click;
};

} // namespace velmora
