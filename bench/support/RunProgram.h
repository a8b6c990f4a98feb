#pragma once

#include <QString>
#include <QStringList>

namespace velmora::bench {

/// Runs `program` to its end with its output on this process's channels;
/// true only when it ran, ended within `timeoutMs` and exited with 0.  A
/// program still running at the timeout is killed.
bool runProgram(const QString& program, const QStringList& arguments, int timeoutMs = 1200000);

} // namespace velmora::bench
