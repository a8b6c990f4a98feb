#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace velmora::bench {

/// Runs `program` to its end with its output on this process's channels;
/// true only when it ran, ended within `timeoutMs` and exited with 0.  A
/// program still running at the timeout is killed.
bool runProgram(const QString& program, const QStringList& arguments, int timeoutMs = 1200000);

/// This process's environment for starting the built program: settings in
/// `home`, content from `server`, on the X display `display` or on the
/// offscreen platform when it is empty.
QProcessEnvironment viewerEnvironment(const QString& home, const QString& server,
                                      const QString& display);

} // namespace velmora::bench
