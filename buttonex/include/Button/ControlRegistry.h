#pragma once

#include <QDir>
#include <QStandardPaths>
#include <QString>

namespace velmora {

/// The per-user control registry: an INI file that maps a class name
/// ("Button.ButtonEx") to the absolute path of the library that serves it,
/// under the group named after the class and the key "Path".
inline QString controlRegistryFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Velmora/controls.ini"));
}

} // namespace velmora
