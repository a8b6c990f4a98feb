// The display guard: started by the program before it changes the display
// mode, it waits on its standard input (the program's end of a socket pair)
// and, when that closes without the word to stand down, puts the user's
// mode back on the output it was saved from, and on no other.
// Usage: VelmoraDisplayGuard OUTPUT EDID-HASH MODE-ID WIDTH HEIGHT DOT-CLOCK
//        H-TOTAL V-TOTAL FLAGS ROTATION X Y
#include "DisplayGuardProtocol.h"
#include "XRandrScreen.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

int main(int argc, char** argv) {
    const auto saved = velmora::parseGuardArguments(
        std::vector<std::string>(argc > 0 ? argv + 1 : argv, argv + argc));
    if (!saved)
        return 2;
    // Signals meant for the program's terminal or process group are not ours.
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGHUP, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);

    char word = 0;
    ssize_t got;
    do
        got = read(STDIN_FILENO, &word, 1);
    while (got < 0 && errno == EINTR);
    if (got == 1 && word == velmora::kGuardStandDown)
        return 0;

    const auto screen = velmora::XRandrScreen::open();
    return screen && screen->restore(*saved) ? 0 : 1;
}
