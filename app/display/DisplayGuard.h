#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

namespace velmora {

/// The program's end of the display guard: a separate process, in a session
/// of its own, that gives the user's display mode back if the program ends
/// by any path but its orderly exit (a signal, a crash, a kill).  It watches
/// a connection whose only other end is this object: end of file without the
/// word to stand down means the program is gone.
class DisplayGuard {
public:
    DisplayGuard() = default;
    /// Stands the guard down: the program is ending in order.
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

    /// Starts `program` with `arguments` (the mode it holds); false when it
    /// could not be started (the program then runs unguarded).
    bool start(const QString& program, const QStringList& arguments);
    /// Whether the guard is there to act: a guard that died (killed, say)
    /// is noticed here, reaped and forgotten, so that a new one can start.
    bool alive();
    pid_t pid() const { return m_pid; }
    /// The program's end of the link; -1 without a guard.
    int link() const { return m_link; }
    /// Tells the guard to end without touching the display.
    void standDown();
    /// Leaves without the word to stand down: the guard puts its mode back
    /// now, and this waits until it has.
    void release();

private:
    void close(bool standingDown);

    int m_link = -1;
    pid_t m_pid = -1;
};

} // namespace velmora
