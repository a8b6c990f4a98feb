#pragma once

#include "platform/SettingsStore.h"

namespace velmora::test {

/// The raw text the settings store holds under `key` of the program's section.
inline QString storedPackageValue(const char* key) {
    return SettingsStore::read(QStringLiteral("Velmora"), QStringLiteral("Package"),
                               QLatin1String(key));
}

/// Puts raw text under `key` of the program's section, as a user or an
/// older version might have left it.
inline void storePackageValue(const char* key, const QString& value) {
    SettingsStore::write(QStringLiteral("Velmora"), QStringLiteral("Package"), QLatin1String(key),
                         value);
}

} // namespace velmora::test
