#include "DefaultButton.h"

#include "platform/ControlEvents.h"
#include "platform/ControlHost.h"
#include "platform/HostSite.h"

#include <QKeyEvent>
#include <QWidget>

namespace velmora {

namespace {

void showAsDefault(QWidget* button, bool isDefault) {
    if (HostSite* site = ControlHost::siteOf(button))
        site->setDisplayAsDefault(isDefault);
}

} // namespace

DefaultButton::DefaultButton(QWidget* scope, QObject* parent) : QObject(parent), m_scope(scope) {
    // Key events a control leaves unused travel up to the scope.
    if (m_scope)
        m_scope->installEventFilter(this);
}

void DefaultButton::setButton(QWidget* button) {
    if (m_button == button)
        return;
    if (m_button)
        showAsDefault(m_button, false);
    m_button = button;
    if (m_button)
        showAsDefault(m_button, true);
}

void DefaultButton::press() {
    if (m_button && m_button->isVisible() && buttonEnabled(m_button))
        QMetaObject::invokeMethod(m_button, "AccessKeyPress");
}

bool DefaultButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_scope || event->type() != QEvent::KeyPress || !m_button)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    press();
    return true;
}

} // namespace velmora
