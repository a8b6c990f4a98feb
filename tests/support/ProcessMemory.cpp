#include "ProcessMemory.h"

#include <QFile>

namespace velmora::test {

ProcessMemory::ProcessMemory() : m_proc(QStringLiteral("/proc/self")) {}

ProcessMemory::ProcessMemory(qint64 pid) : m_proc(QStringLiteral("/proc/%1").arg(pid)) {}

qint64 ProcessMemory::residentKb() const {
    return statusKb("VmRSS:");
}

qint64 ProcessMemory::proportionalKb() const {
    return fieldKb(QStringLiteral("/smaps_rollup"), "Pss:");
}

qint64 ProcessMemory::peakKb() const {
    return statusKb("VmHWM:");
}

bool ProcessMemory::resetPeak() const {
    // "5" clears the peak resident size only, leaving the page flags alone.
    QFile clearRefs(m_proc + QStringLiteral("/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

qint64 ProcessMemory::statusKb(const char* field) const {
    return fieldKb(QStringLiteral("/status"), field);
}

qint64 ProcessMemory::fieldKb(const QString& file, const char* field) const {
    QFile status(m_proc + file);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field)) {
            bool number = false;
            const qint64 kb =
                line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong(&number);
            return number ? kb : -1;
        }
    }
    return -1;
}

} // namespace velmora::test
