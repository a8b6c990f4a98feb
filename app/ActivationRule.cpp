#include "ActivationRule.h"

#include "FocusTracker.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <QWindow>

namespace velmora {

namespace {

QWidget* widgetOf(QWindow* window) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->windowHandle() == window)
            return widget;
    return nullptr;
}

} // namespace

ActivationRule::ActivationRule(QWidget* window, const FocusTracker& focus, QObject* parent)
    : QObject(parent), m_window(window) {
    connect(&focus, &FocusTracker::focusTaken, this, &ActivationRule::focusTaken);
}

bool ActivationRule::counts(FocusHolder previous, bool activatedBefore) {
    return !activatedBefore || previous == FocusHolder::ProgramWindow;
}

void ActivationRule::focusTaken(QWindow* window) {
    // What counts is the window that held the focus last, so that a brief
    // gap while one of our windows hands the focus back does not look like
    // another program.
    if (!m_window)
        return;
    if (window == m_window->windowHandle()) {
        const bool activate = counts(m_previous, m_activatedBefore);
        m_previous = FocusHolder::MainWindow;
        m_activatedBefore = true;
        if (activate)
            emit activated();
        return;
    }
    const QWidget* widget = widgetOf(window);
    const Qt::WindowType type = window->type();
    // Menus, pop-up lists and tooltips are part of the window they belong to.
    if (type == Qt::Popup || type == Qt::ToolTip)
        return;
    m_previous = qobject_cast<const QMessageBox*>(widget) ? FocusHolder::MessageBox
                                                          : FocusHolder::ProgramWindow;
}

} // namespace velmora
