#include "TestEnvironment.h"

#include "ProcessMemory.h"

#include <QDir>
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
    return ProcessMemory().peakKb();
}

qint64 residentKb() {
    return ProcessMemory().residentKb();
}

bool resetPeakResident() {
    return ProcessMemory().resetPeak();
}

} // namespace velmora::test
