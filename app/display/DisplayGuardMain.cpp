// The display guard: started by the program when it first changes the
// display mode, it waits on its standard input (the program's end of a socket pair) and,
// when that closes without the word to stand down, puts the user's mode
// back.  Usage: VelmoraDisplayGuard OUTPUT WIDTH HEIGHT
#include "DisplayGuardProtocol.h"
#include "XRandrScreen.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    // Signals meant for the program's terminal or process group are not ours.
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGHUP, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    const velmora::PixelSize saved{std::atoi(argv[2]), std::atoi(argv[3])};

    char word = 0;
    ssize_t got;
    do
        got = read(STDIN_FILENO, &word, 1);
    while (got < 0 && errno == EINTR);
    if (got == 1 && word == velmora::kGuardStandDown)
        return 0;

    const auto screen = velmora::XRandrScreen::open();
    if (!screen)
        return 1;
    const std::string output = screen->resolveOutput(argv[1]);
    return screen->outputSize(output) == saved || screen->apply(output, saved) ? 0 : 1;
}
