#pragma once

#include <Button/ControlSite.h>

#include <QObject>
#include <QPointer>
#include <QSet>

class QWidget;

namespace velmora {

/// The site a window gives each control it hosts: ambient values taken from
/// the window, property-change bookkeeping and access-key routing.  Lives as
/// a child of the control it serves.
class HostSite : public QObject, public ControlSite {
    Q_OBJECT
public:
    explicit HostSite(QWidget* control);

    bool ambientUserMode() const override { return m_userMode; }
    std::optional<QFont> ambientFont() const override;
    bool ambientDisplayAsDefault() const override { return m_displayAsDefault; }
    void propertyChanged(QObject* control, const char* name) override;
    void accessKeysChanged(QObject* control, const QString& keys) override;

    /// Design view (false) or running host (true, the default).
    void setUserMode(bool running);
    /// Whether the window treats this control as its default button.
    void setDisplayAsDefault(bool isDefault);

    /// Properties changed since the control was loaded (the window's "dirty" set).
    const QSet<QByteArray>& changedProperties() const { return m_changed; }
    QString accessKeys() const { return m_accessKeys; }

signals:
    void propertyChangeNotified(const QByteArray& name);

private:
    void notifyAmbient(const QString& name);

    QWidget* m_control = nullptr;
    bool m_userMode = true;
    bool m_displayAsDefault = false;
    QSet<QByteArray> m_changed;
    QString m_accessKeys;
};

} // namespace velmora
