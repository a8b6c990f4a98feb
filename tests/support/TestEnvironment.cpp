#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace velmora::test {

QString buildBinDir() {
    return qEnvironmentVariable("VELMORA_BUILD_BIN");
}

QString sourceDir() {
    return qEnvironmentVariable("VELMORA_SOURCE_DIR");
}

bool runningInCi() {
    return qEnvironmentVariable("CI") == QLatin1String("true");
}

void resetUserConfig() {
    const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    // Never wipe a real user's folder: only the per-test one the test
    // environment points at.
    if (home.isEmpty() || !home.contains(QLatin1String("test-home")))
        return;
    QDir(home).removeRecursively();
    QDir().mkpath(home);
}

qint64 peakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

} // namespace velmora::test
