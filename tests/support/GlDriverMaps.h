#pragma once

#include <QByteArray>
#include <QStringList>

namespace velmora::test {

/// The files of the GL driver mapped into process `pid`, by file name, each
/// once: Mesa's GLX and EGL drivers, its dispatch table, any DRI driver and
/// LLVM.  The dispatch libraries Qt Gui links (libGLX, libEGL, libOpenGL)
/// are not the driver and are not listed.  Empty when the process is gone.
QStringList mappedGlDriverFiles(qint64 pid);

/// The memory map of process `pid` as /proc gives it; empty when the
/// process is gone.
QByteArray processMaps(qint64 pid);

} // namespace velmora::test
