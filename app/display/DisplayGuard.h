#pragma once

#include <QString>

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

    /// Starts `program` to hold `width` x `height` on `output`; false when it
    /// could not be started (the program then runs unguarded).
    bool start(const QString& program, const QString& output, int width, int height);
    bool running() const { return m_link >= 0; }
    pid_t pid() const { return m_pid; }
    /// Tells the guard to end without touching the display.
    void standDown();

private:
    int m_link = -1;
    pid_t m_pid = -1;
};

} // namespace velmora
