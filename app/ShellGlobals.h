#pragma once

namespace velmora {

/// The user's own screen size in pixels, saved on the main window's first
/// activation and restored when the program exits.
inline int g_SavedScreenWidth = 0;
inline int g_SavedScreenHeight = 0;

/// The creation of the contact page's browser has been attempted in this run.
inline bool g_BrowserCreated = false;

} // namespace velmora
