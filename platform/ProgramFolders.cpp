#include "ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace velmora {

QString privateFilesDir() {
    if (!QCoreApplication::instance())
        return {};
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString installed = programDir.filePath(QStringLiteral("../lib/velmora"));
    return QFileInfo(installed).isDir() ? QDir::cleanPath(installed) : programDir.path();
}

QString privateFile(const QString& name) {
    const QString dir = privateFilesDir();
    return dir.isEmpty() ? QString() : QDir(dir).filePath(name);
}

} // namespace velmora
