#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace velmora {

/// The default button of a screen: Enter pressed in any control of
/// `scope` that leaves the key unused presses it, and its host site tells
/// it to draw itself as the default.
class DefaultButton : public QObject {
    Q_OBJECT
public:
    explicit DefaultButton(QWidget* scope, QObject* parent = nullptr);

    QWidget* button() const { return m_button; }
    /// Makes `button` (a control created by class name) the default; null
    /// leaves the screen without one.
    void setButton(QWidget* button);
    /// Presses the default button as Enter does, if it is enabled.
    void press();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_scope;
    QPointer<QWidget> m_button;
};

} // namespace velmora
