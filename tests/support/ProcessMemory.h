#pragma once

#include <QString>

namespace velmora::test {

/// Memory figures of a running process, read from /proc.  Every figure is in
/// KiB, or -1 when the process is gone or /proc cannot be read.
class ProcessMemory {
public:
    /// This process.
    ProcessMemory();
    explicit ProcessMemory(qint64 pid);

    /// Pages in memory now (VmRSS).
    qint64 residentKb() const;
    /// Proportional set size: resident pages, each shared page divided by
    /// the processes that share it (Pss of smaps_rollup).
    qint64 proportionalKb() const;
    /// The most ever resident since start or the last resetPeak() (VmHWM).
    qint64 peakKb() const;
    /// Starts the peak afresh from the resident figure of now; false when the
    /// kernel refused.
    bool resetPeak() const;

private:
    qint64 statusKb(const char* field) const;
    qint64 fieldKb(const QString& file, const char* field) const;

    QString m_proc;
};

} // namespace velmora::test
