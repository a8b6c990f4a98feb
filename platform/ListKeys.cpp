#include "ListKeys.h"

#include <QKeyEvent>
#include <QListWidget>

namespace velmora {

void ListKeys::attach(QListWidget* list) {
    if (list)
        list->installEventFilter(new ListKeys(list));
}

bool ListKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        modifiers != Qt::NoModifier)
        return false;
    auto* list = static_cast<QListWidget*>(watched);
    if (QListWidgetItem* line = list->currentItem(); line && !key->isAutoRepeat())
        emit list->itemDoubleClicked(line);
    return true;
}

} // namespace velmora
