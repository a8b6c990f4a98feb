#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace velmora::test {

/// The built program: VelmoraViewer in the build's binary folder (the
/// test environment's, else the folder of this executable).
QString builtProgram();

/// This process's environment for starting the program on the X display
/// `display`, or on the offscreen platform when it is empty; its settings
/// in `home` and its content from `contentServer` where they are given.
QProcessEnvironment programEnvironment(const QString& display, const QString& home = {},
                                       const QString& contentServer = {});

/// Starts `program` in `process` with `environment` and `channels`, through
/// `launcher` (such as setsid) when one is given; false when it did not start.
bool startProgram(QProcess& process, const QProcessEnvironment& environment,
                  const QString& program = builtProgram(),
                  QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel,
                  const QString& launcher = {});

/// Kills `process` when it still runs and reaps it.
void endProgram(QProcess& process);

} // namespace velmora::test
