#include "HostSite.h"

#include <Button/PersistentControl.h>

#include <QShortcut>
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
    m_accessKeys = keys;
    qDeleteAll(m_shortcuts);
    m_shortcuts.clear();
    for (const QChar key : keys) {
        // Alt+key anywhere in the control's window presses the control; the
        // shortcut belongs to the control, so it is inactive while the control
        // is hidden and goes away with it.
        auto* shortcut = new QShortcut(
            QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key.toUpper().unicode()))),
            m_control);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, m_control, [control = m_control] {
            if (control->isEnabled())
                QMetaObject::invokeMethod(control, "AccessKeyPress");
        });
        m_shortcuts << shortcut;
    }
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
