#include "ProgramStart.h"

#include "TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>

namespace velmora::test {

QString builtProgram() {
    const QString bin = buildBinDir();
    return QDir(bin.isEmpty() ? QCoreApplication::applicationDirPath() : bin)
        .filePath(QStringLiteral("VelmoraViewer"));
}

QProcessEnvironment programEnvironment(const QString& display, const QString& home,
                                       const QString& contentServer) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!home.isEmpty())
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
    if (!contentServer.isEmpty())
        env.insert(QStringLiteral("VELMORA_CONTENT_SERVER"), contentServer);
    if (display.isEmpty()) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.remove(QStringLiteral("DISPLAY"));
    } else {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), display);
    }
    return env;
}

bool startProgram(QProcess& process, const QProcessEnvironment& environment, const QString& program,
                  QProcess::ProcessChannelMode channels, const QString& launcher) {
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(channels);
    if (launcher.isEmpty())
        process.start(program, {});
    else
        process.start(launcher, {program});
    return process.waitForStarted(10000);
}

void endProgram(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill();
    process.waitForFinished();
}

} // namespace velmora::test
