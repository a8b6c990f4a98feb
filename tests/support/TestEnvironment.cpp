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

namespace {

// A "Vm...:" line of this process's status, in KiB; -1 when unread.
qint64 statusKb(const QByteArray& field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

} // namespace

qint64 peakResidentKb() {
    return statusKb("VmHWM");
}

qint64 residentKb() {
    return statusKb("VmRSS");
}

bool resetPeakResident() {
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

} // namespace velmora::test
