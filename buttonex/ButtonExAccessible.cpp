#include "ButtonExAccessible.h"

#include "ButtonEx.h"
#include "core/AccessKey.h"

#include <QKeySequence>

namespace velmora {

namespace {

QAccessibleInterface* createInterface(const QString&, QObject* object) {
    if (auto* button = qobject_cast<ButtonEx*>(object))
        return new ButtonExAccessible(button);
    return nullptr;
}

// The factory lives in this library: it must not outlive it in Qt's list.
// Made after the list, so that it goes before the list does at exit.
struct FactoryRegistration {
    FactoryRegistration() { QAccessible::installFactory(createInterface); }
    ~FactoryRegistration() { QAccessible::removeFactory(createInterface); }
};

} // namespace

ButtonExAccessible::ButtonExAccessible(ButtonEx* button)
    : QAccessibleWidget(button, QAccessible::Button) {}

void ButtonExAccessible::install() {
    static const FactoryRegistration registration;
}

ButtonEx* ButtonExAccessible::button() const {
    return static_cast<ButtonEx*>(widget());
}

QString ButtonExAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
        return AccessKey::plainText(button()->Caption());
    if (kind == QAccessible::Accelerator && !button()->accessKey().isEmpty())
        return QKeySequence(Qt::ALT | Qt::Key(button()->accessKey().at(0).toUpper().unicode()))
            .toString(QKeySequence::NativeText);
    return QAccessibleWidget::text(kind);
}

QAccessible::State ButtonExAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = button()->state() == Pressed && button()->isVisible();
    state.defaultButton = button()->drawDefault();
    return state;
}

QStringList ButtonExAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (widget()->isEnabled())
        names.prepend(pressAction());
    return names;
}

void ButtonExAccessible::doAction(const QString& action) {
    if (action == pressAction() && widget()->isEnabled()) {
        button()->AccessKeyPress();
        return;
    }
    QAccessibleWidget::doAction(action);
}

QStringList ButtonExAccessible::keyBindingsForAction(const QString& action) const {
    if (action == pressAction() && !button()->accessKey().isEmpty())
        return {text(QAccessible::Accelerator)};
    return QAccessibleWidget::keyBindingsForAction(action);
}

} // namespace velmora
