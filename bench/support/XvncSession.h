#pragma once

#include <QString>
#include <QTemporaryDir>

namespace velmora::bench {

/// A virtual X display (Xvnc with a window manager, as the tests use) that a
/// benchmark starts and that stops when this object goes.  Memory and
/// start-up figures are taken there: Qt's offscreen platform loads no GL
/// stack and would hide its cost.  Never give it the display of a real
/// session: the program switches its resolution.
class XvncSession {
public:
    /// The display benchmarks use unless told otherwise.
    static QString defaultDisplay();

    explicit XvncSession(QString display);
    ~XvncSession();
    XvncSession(const XvncSession&) = delete;
    XvncSession& operator=(const XvncSession&) = delete;

    bool isRunning() const { return m_running; }
    QString display() const { return m_display; }

private:
    QTemporaryDir m_state;
    QString m_display;
    bool m_running = false;
};

} // namespace velmora::bench
