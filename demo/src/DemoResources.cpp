#include "DemoResources.h"

#include <QFile>

namespace velmora {

QByteArray readDemoResource(const char* name) {
    QFile file(QStringLiteral(":/demo/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace velmora
