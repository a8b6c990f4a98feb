#pragma once

#include <QString>

namespace velmora {

/// The application-wide GL context that the web engine shares its own
/// contexts with.  The program starts without it, so that a run that never
/// shows a web page never maps the GL driver; the first browser, or the
/// preparation ahead of it, asks for it.
class GlShareContext {
public:
    /// Makes the context unless it exists; false, with the reason in `error`,
    /// when the platform gives none.  Needs the application object.  Safe on
    /// a worker thread as long as nothing else asks for the context meanwhile
    /// (the program's only other reader is the browser module, loaded after).
    static bool ensure(QString* error = nullptr);
};

} // namespace velmora
