#include "ActivationRule.h"

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

ActivationRule::ActivationRule(QWidget* window, QObject* parent)
    : QObject(parent), m_window(window) {
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &ActivationRule::focusWindowChanged);
}

bool ActivationRule::counts(FocusHolder previous, bool activatedBefore) {
    return !activatedBefore || previous == FocusHolder::ProgramWindow;
}

void ActivationRule::focusWindowChanged(QWindow* window) {
    // Another program in front leaves no focus window; what counts is the
    // window that held the focus last, so that a brief gap while one of our
    // windows hands the focus back does not look like another program.
    if (!window || !m_window)
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
