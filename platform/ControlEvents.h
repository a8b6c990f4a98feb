#pragma once

#include <QObject>
#include <QVariant>
#include <QWidget>

namespace velmora {

/// Connects the `Click` event of a control created by class name to `slot`
/// (given as SLOT(name())) of `receiver`.  The control is bound late, by
/// signal name; a control that is missing or has no such event is skipped
/// and false returned.
inline bool bindClick(QObject* control, const QObject* receiver, const char* slot) {
    if (!control || control->metaObject()->indexOfSignal("Click()") < 0)
        return false;
    return bool(QObject::connect(control, SIGNAL(Click()), receiver, slot));
}

/// Sets the `Enabled` property of a button bound late; a missing one is
/// skipped, and so is one already in that state: the owner-drawn button
/// redraws its whole face on every set, and the reader refreshes its paging
/// buttons once for each page that arrives.
inline void setButtonEnabled(QObject* button, bool enabled) {
    if (button && button->property("Enabled") != QVariant(enabled))
        button->setProperty("Enabled", enabled);
}

/// The `Enabled` property of a button bound late; false for a missing one.
inline bool buttonEnabled(const QObject* button) {
    return button && button->property("Enabled").toBool();
}

/// Shows or hides a control; a missing one is skipped, as every window step
/// carries on past a control it cannot reach.
inline void setShown(QWidget* control, bool shown) {
    if (control)
        control->setVisible(shown);
}

} // namespace velmora
