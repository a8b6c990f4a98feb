#pragma once

#include <QString>

namespace velmora {

/// The per-user settings store: (application, section, key) -> text.
/// Backed by QSettings in the user's configuration folder (XDG_CONFIG_HOME).
class SettingsStore {
public:
    /// The stored text, or "" when there is none.
    static QString read(const QString& application, const QString& section, const QString& key);
    /// Stores `value`; returns false when the store could not be written
    /// (the caller carries on: nothing else is lost).
    static bool write(const QString& application, const QString& section, const QString& key,
                      const QString& value);
};

} // namespace velmora
