#include "ButtonKeys.h"

#include "FocusIndicator.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace velmora {

void ButtonKeys::attach(QWidget* button) {
    // Made on first use, kept to the end of the process: a click handler
    // may close the window and its buttons while the filter runs.
    static ButtonKeys* const keys = new ButtonKeys;
    if (button)
        button->installEventFilter(keys);
}

bool ButtonKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* button = qobject_cast<QWidget*>(watched);
    if (!button)
        return false;
    // The control keeps every key it gets; Escape still closes a dialog
    // (the player, the settings) as it does from any other control there.
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier &&
        button->window() != button) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(button->window(), &escape);
        return escape.isAccepted();
    }
    if (!isActivationKey(*key) || !button->isEnabled())
        return false;
    // A held key presses once.
    if (!key->isAutoRepeat())
        QMetaObject::invokeMethod(button, "AccessKeyPress");
    return true;
}

} // namespace velmora
