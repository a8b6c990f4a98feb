#include "DisplayGuard.h"
#include "DisplayGuardProtocol.h"

#include <QByteArray>
#include <QList>

#include <vector>

#include <cerrno>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velmora {

DisplayGuard::~DisplayGuard() {
    standDown();
}

bool DisplayGuard::start(const QString& program, const QStringList& arguments) {
    if (alive())
        return true;
    // Both ends close on exec: no other child of the program (the web
    // engine's helpers) may hold the program's end, or the guard would never
    // see it close.  The guard gets the other end as its standard input.  A
    // socket pair rather than a pipe, so that a word to a guard that is gone
    // fails instead of raising SIGPIPE.
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return false;
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, ends[0], STDIN_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A session of its own: Ctrl+C and a closed terminal signal the program's
    // process group, and the guard must outlive exactly those.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

    const QByteArray path = program.toLocal8Bit();
    QList<QByteArray> words{path};
    for (const QString& argument : arguments)
        words << argument.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int failed =
        posix_spawn(&pid, path.constData(), &files, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    ::close(ends[0]);
    if (failed) {
        ::close(ends[1]);
        return false;
    }
    m_link = ends[1];
    m_pid = pid;
    return true;
}

bool DisplayGuard::alive() {
    if (m_link < 0)
        return false;
    // The guard never writes: its end readable or hung up means it is gone.
    pollfd link{m_link, POLLIN, 0};
    int ready;
    do
        ready = poll(&link, 1, 0);
    while (ready < 0 && errno == EINTR);
    const bool linkGone = ready > 0 && (link.revents & (POLLIN | POLLHUP | POLLERR));
    const bool exited = m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == m_pid;
    if (!linkGone && !exited)
        return true;
    if (exited)
        m_pid = -1;
    close(false);
    return false;
}

void DisplayGuard::standDown() {
    close(true);
}

void DisplayGuard::release() {
    close(false);
}

void DisplayGuard::close(bool standingDown) {
    if (m_link < 0)
        return;
    if (standingDown) {
        ssize_t written;
        do
            written = send(m_link, &kGuardStandDown, 1, MSG_NOSIGNAL);
        while (written < 0 && errno == EINTR);
    }
    ::close(m_link);
    m_link = -1;
    // The guard is a child: reap it so that no zombie stays behind while
    // the program goes on (a test, say).
    if (m_pid > 0)
        waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}

} // namespace velmora
