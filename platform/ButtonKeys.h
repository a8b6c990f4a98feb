#pragma once

#include <QObject>

class QWidget;

namespace velmora {

/// The host's keys for the buttons it creates by class name: Return, Enter
/// or Space pressed while a button holds the focus press it as its click
/// does.  The control itself gives these keys no meaning; its host does,
/// as it does for the default button and the access keys.  Escape goes on
/// to the button's window, which a dialog closes on.
class ButtonKeys : public QObject {
    Q_OBJECT
public:
    /// Gives `button` these keys; one filter serves every button.
    static void attach(QWidget* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace velmora
