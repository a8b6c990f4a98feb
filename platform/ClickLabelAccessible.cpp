#include "ClickLabelAccessible.h"

#include "ClickLabel.h"

namespace velmora {

namespace {

QAccessibleInterface* createInterface(const QString&, QObject* object) {
    auto* label = qobject_cast<ClickLabel*>(object);
    if (label && label->isTabStop())
        return new ClickLabelAccessible(label);
    return nullptr;
}

} // namespace

ClickLabelAccessible::ClickLabelAccessible(ClickLabel* label)
    : QAccessibleWidget(label, label->accessibleRole()) {}

void ClickLabelAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(createInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

ClickLabel* ClickLabelAccessible::label() const {
    return static_cast<ClickLabel*>(widget());
}

QString ClickLabelAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
        return label()->text();
    return QAccessibleWidget::text(kind);
}

QAccessible::State ClickLabelAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.linked = role() == QAccessible::Link;
    return state;
}

QStringList ClickLabelAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (widget()->isEnabled())
        names.prepend(pressAction());
    return names;
}

void ClickLabelAccessible::doAction(const QString& action) {
    if (action == pressAction() && widget()->isEnabled()) {
        label()->activate();
        return;
    }
    QAccessibleWidget::doAction(action);
}

} // namespace velmora
