#pragma once

#include <QFont>
#include <QString>
#include <optional>

class QObject;

namespace velmora {

/// What a hosted control may ask of, and tell, the window that holds it.
class ControlSite {
public:
    virtual ~ControlSite() = default;

    /// True when the host runs (not a form designer's design view).
    virtual bool ambientUserMode() const = 0;
    /// The host's font for its controls; empty when it cannot supply one.
    virtual std::optional<QFont> ambientFont() const = 0;
    /// True while the host wants the control drawn as its default button.
    virtual bool ambientDisplayAsDefault() const = 0;

    /// The control's property `name` changed (the host marks it for saving).
    virtual void propertyChanged(QObject* control, const char* name) = 0;
    /// The control's access keys are now `keys` (one character each, or empty).
    virtual void accessKeysChanged(QObject* control, const QString& keys) = 0;
};

} // namespace velmora
