#include "HostSite.h"

#include "AccessKeyRouter.h"

#include <Button/PersistentControl.h>

#include <QWidget>

namespace velmora {

HostSite::HostSite(QWidget* control) : QObject(control), m_control(control) {}

std::optional<QFont> HostSite::ambientFont() const {
    // The window's font is the ambient font, as a form passes its own font
    // to the controls placed on it.
    if (const QWidget* parent = m_control->parentWidget())
        return parent->font();
    return std::nullopt;
}

void HostSite::propertyChanged(QObject*, const char* name) {
    m_changed.insert(QByteArray(name));
    emit propertyChangeNotified(QByteArray(name));
}

void HostSite::accessKeysChanged(QObject*, const QString& keys) {
    // The window's one router looks the keys up at each press: which of the
    // window's controls takes a key depends on what the window shows then.
    m_accessKeys = keys;
    AccessKeyRouter::install();
}

void HostSite::setUserMode(bool running) {
    if (m_userMode == running)
        return;
    m_userMode = running;
    notifyAmbient(QStringLiteral("UserMode"));
}

void HostSite::setDisplayAsDefault(bool isDefault) {
    m_displayAsDefault = isDefault;
    notifyAmbient(QStringLiteral("DisplayAsDefault"));
}

void HostSite::notifyAmbient(const QString& name) {
    if (auto* control = qobject_cast<PersistentControl*>(m_control))
        control->ambientChanged(name);
}

} // namespace velmora
