#include "ButtonKeys.h"

#include "FocusIndicator.h"

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
    if (!button || !isActivationKey(*key) || !button->isEnabled())
        return false;
    // A held key presses once.
    if (!key->isAutoRepeat())
        QMetaObject::invokeMethod(button, "AccessKeyPress");
    return true;
}

} // namespace velmora
