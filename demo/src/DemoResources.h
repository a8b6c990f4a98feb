#pragma once

#include <QByteArray>

namespace velmora {

/// The content file `name` compiled into the generator (demo/content/...);
/// empty when there is no such file.
QByteArray readDemoResource(const char* name);

} // namespace velmora
