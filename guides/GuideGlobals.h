#pragma once

namespace velmora {

/// The fetch of the guide has been started in this run; cleared by the
/// main window's load and by a reload of that guide.
inline bool g_CoderFetched = false;
inline bool g_BuyerFetched = false;

} // namespace velmora
