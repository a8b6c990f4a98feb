#pragma once

#include <QString>

namespace velmora {

/// The application-wide GL context that the web engine shares its own
/// contexts with.  The program starts without it, so that a run that never
/// shows a web page never maps the GL driver; the first browser asks for it.
class GlShareContext {
public:
    /// Makes the context unless it exists; false, with the reason in `error`,
    /// when the platform gives none.  Needs the application object.
    static bool ensure(QString* error = nullptr);
};

} // namespace velmora
