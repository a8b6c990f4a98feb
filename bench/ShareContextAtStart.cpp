// Preloaded into the program by bench_browser_start: asks for the GL share
// context before main() runs, as the program did before it started light,
// so that both starts are measured side by side in one run.  The web
// engine's helper processes inherit the preload and are left as they are.

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

namespace {

const bool g_shareAtStart = [] {
    const bool program = std::strcmp(program_invocation_short_name, "VelmoraViewer") == 0;
    if (program)
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return program;
}();

} // namespace
