#pragma once

#include <QString>

namespace velmora {

/// Set by the player window's "Back to videos"; the next activation of the
/// main window clears it instead of reloading the video categories.
inline bool g_SkipVideoReload = false;

/// Display name of the video the player window is to play; written by the
/// video section's Load.
inline QString g_SelectedVideoName;

} // namespace velmora
