#include "ReadingOrder.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

namespace velmora {

namespace {

struct Stop {
    QWidget* widget;
    QRect place; // in the window's coordinates
};

bool takesTabNow(QWidget* widget, QWidget* window) {
    if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisible() || !widget->isEnabled() ||
        widget->window() != window || widget->focusProxy())
        return false;
    // A control under another one (a panel in front of it) is out of reach.
    const QPoint middle = widget->mapTo(window, widget->rect().center());
    const QWidget* top = window->childAt(middle);
    return top == widget || widget->isAncestorOf(top);
}

bool sameRow(const QRect& first, const QRect& other) {
    const int overlap =
        std::min(first.bottom(), other.bottom()) - std::max(first.top(), other.top()) + 1;
    return overlap * 2 >= std::min(first.height(), other.height());
}

} // namespace

QList<QWidget*> ReadingOrder::chain(QWidget* window) {
    QList<Stop> stops;
    if (!window)
        return {};
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (takesTabNow(widget, window))
            stops.append({widget, QRect(widget->mapTo(window, QPoint(0, 0)), widget->size())});
    std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
        return a.place.top() != b.place.top() ? a.place.top() < b.place.top()
                                              : a.place.left() < b.place.left();
    });
    QList<QWidget*> order;
    for (qsizetype start = 0; start < stops.size();) {
        qsizetype end = start + 1;
        while (end < stops.size() && sameRow(stops[start].place, stops[end].place))
            ++end;
        std::stable_sort(
            stops.begin() + start, stops.begin() + end,
            [](const Stop& a, const Stop& b) { return a.place.left() < b.place.left(); });
        for (qsizetype i = start; i < end; ++i)
            order.append(stops[i].widget);
        start = end;
    }
    return order;
}

bool ReadingOrder::moveFocus(QWidget* window, bool next) {
    const QList<QWidget*> order = chain(window);
    if (order.isEmpty())
        return false;
    QWidget* focused = QApplication::focusWidget();
    // The focus may sit inside a control (a combo box's own editor).
    qsizetype at = -1;
    for (qsizetype i = 0; i < order.size() && at < 0; ++i)
        if (order[i] == focused || order[i]->isAncestorOf(focused))
            at = i;
    qsizetype target;
    if (at < 0)
        target = next ? 0 : order.size() - 1;
    else
        target = (at + (next ? 1 : order.size() - 1)) % order.size();
    order[target]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

} // namespace velmora
