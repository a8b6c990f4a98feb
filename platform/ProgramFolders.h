#pragma once

#include <QString>

namespace velmora {

/// The folder of the program's private files (the control library, the
/// browser module, the display guard): lib/velmora beside the program's
/// bin folder once installed, else the program's own folder (a build tree).
/// Found from where the program itself lies, never from the environment.
QString privateFilesDir();

/// `name` in privateFilesDir().
QString privateFile(const QString& name);

} // namespace velmora
