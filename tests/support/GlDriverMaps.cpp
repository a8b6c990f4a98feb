#include "GlDriverMaps.h"

#include <QFile>

namespace velmora::test {

namespace {

bool isGlDriverFile(const QString& name) {
    return name.startsWith(QLatin1String("libGLX_mesa")) ||
           name.startsWith(QLatin1String("libEGL_mesa")) ||
           name.startsWith(QLatin1String("libglapi")) || name.endsWith(QLatin1String("_dri.so")) ||
           name.startsWith(QLatin1String("libLLVM"));
}

} // namespace

QByteArray processMaps(qint64 pid) {
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
}

QStringList mappedGlDriverFiles(qint64 pid) {
    QStringList found;
    // address perms offset device inode path: the path starts at the first '/'.
    for (const QByteArray& line : processMaps(pid).split('\n')) {
        const qsizetype path = line.indexOf('/');
        if (path < 0)
            continue;
        const QString name = QString::fromLocal8Bit(line.mid(line.lastIndexOf('/') + 1));
        if (isGlDriverFile(name) && !found.contains(name))
            found << name;
    }
    return found;
}

} // namespace velmora::test
