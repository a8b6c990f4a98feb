#include "AccessKeyRouter.h"

#include "AccessKeyRule.h"
#include "HostSite.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace velmora {

namespace {

QRect rectIn(const QWidget* window, const QWidget* widget) {
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

// How `button` stands in `window`: its parents clip it, and the shown
// siblings that come after it (or after one of its parents) in their
// parent's stacking order are in front of it.
AccessKeyButton describe(const QWidget* window, QWidget* button) {
    AccessKeyButton seen;
    seen.shown = button->isVisible();
    seen.enabled = button->isEnabled();
    seen.hasFocus = button->hasFocus();
    seen.rect = rectIn(window, button);
    for (const QWidget* level = button; level != window && level->parentWidget();
         level = level->parentWidget()) {
        const QWidget* parent = level->parentWidget();
        seen.clips << rectIn(window, parent);
        const QObjectList& stack = parent->children();
        for (qsizetype i = stack.indexOf(level) + 1; i < stack.size(); ++i) {
            const auto* sibling = qobject_cast<const QWidget*>(stack[i]);
            if (sibling && !sibling->isWindow() && sibling->isVisible())
                seen.inFront << rectIn(window, sibling);
        }
    }
    return seen;
}

bool carriesKey(QWidget* control, int key) {
    // A site lives as a child of the control it serves.
    const auto* site = control->findChild<const HostSite*>(QString(), Qt::FindDirectChildrenOnly);
    if (!site)
        return false;
    for (const QChar character : site->accessKeys())
        if (int(character.toUpper().unicode()) == key)
            return true;
    return false;
}

} // namespace

void AccessKeyRouter::install() {
    static QPointer<AccessKeyRouter> router;
    if (router || !qApp)
        return;
    router = new AccessKeyRouter(qApp);
    qApp->installEventFilter(router);
}

bool AccessKeyRouter::press(QWidget* window, int key) {
    if (!window)
        return false;
    // The focus chain gives the window's controls in tab order.
    QList<QWidget*> carriers;
    QList<AccessKeyButton> buttons;
    for (QWidget* widget = window->nextInFocusChain(); widget && widget != window;
         widget = widget->nextInFocusChain()) {
        if (widget->window() == window && carriesKey(widget, key)) {
            carriers << widget;
            buttons << describe(window, widget);
        }
    }
    const AccessKeyChoice choice = chooseAccessKeyTarget(buttons);
    if (choice.action == AccessKeyChoice::Focus)
        carriers[choice.button]->setFocus(Qt::ShortcutFocusReason);
    else if (choice.action == AccessKeyChoice::Click)
        QMetaObject::invokeMethod(carriers[choice.button], "AccessKeyPress");
    return choice.action != AccessKeyChoice::None;
}

bool AccessKeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier)
        return false;
    // A key a control leaves unused travels up to its parents, through this
    // filter again; only a key nobody took comes back.
    if (!press(static_cast<QWidget*>(watched)->window(), key->key()))
        return false;
    key->accept();
    return true;
}

} // namespace velmora
