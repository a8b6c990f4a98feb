#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringList>
#include <QTest>

namespace velmora::test {

/// Whether process `pid` was started for this test's X display.  Display
/// tests on other servers run at the same time, and each has guards of its
/// own that this test must neither count nor kill.  A process just spawned
/// may already show its new program but not yet its environment (the parent
/// resumes before the kernel has laid it out): read until it is there or the
/// process is gone.
inline bool onOurDisplay(qint64 pid) {
    QByteArray environment;
    const bool settled = QTest::qWaitFor(
        [&] {
            QFile file(QStringLiteral("/proc/%1/environ").arg(pid));
            if (!file.open(QIODevice::ReadOnly))
                return true;
            environment = file.readAll();
            return !environment.isEmpty();
        },
        2000);
    return settled && environment.split('\0').contains("DISPLAY=" + qgetenv("DISPLAY"));
}

/// Processes running the display guard built beside the tests for this
/// test's display; a zombie has ended, whoever reaps it.
inline QList<qint64> guards() {
    QList<qint64> found;
    const QString guard = QFileInfo(qEnvironmentVariable("VELMORA_BUILD_BIN") +
                                    QStringLiteral("/VelmoraDisplayGuard"))
                              .canonicalFilePath();
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number ||
            QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget() != guard ||
            !onOurDisplay(pid))
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (stat.open(QIODevice::ReadOnly) && !stat.readAll().contains(") Z "))
            found << pid;
    }
    return found;
}

/// Whether process `pid` is gone entirely: ended and reaped.
inline bool reaped(qint64 pid) {
    return !QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}

/// The command line of process `pid`, program name first.
inline QStringList commandLine(qint64 pid) {
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList words = QString::fromLocal8Bit(file.readAll()).split(QChar(0));
    if (!words.isEmpty() && words.last().isEmpty())
        words.removeLast();
    return words;
}

} // namespace velmora::test
