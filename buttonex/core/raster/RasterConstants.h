#pragma once

#include <cstdint>

namespace velmora {

// Edge parts for drawEdge: which borders to draw and how.
inline constexpr unsigned BDR_RAISEDOUTER = 0x0001;
inline constexpr unsigned BDR_SUNKENOUTER = 0x0002;
inline constexpr unsigned BDR_RAISEDINNER = 0x0004;
inline constexpr unsigned BDR_SUNKENINNER = 0x0008;
inline constexpr unsigned BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
inline constexpr unsigned BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;

// Edge flags for drawEdge.
inline constexpr unsigned BF_LEFT = 0x0001;
inline constexpr unsigned BF_TOP = 0x0002;
inline constexpr unsigned BF_RIGHT = 0x0004;
inline constexpr unsigned BF_BOTTOM = 0x0008;
inline constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr unsigned BF_ADJUST = 0x2000;
inline constexpr unsigned BF_FLAT = 0x4000;
inline constexpr unsigned BF_MONO = 0x8000;

// Flags for drawStateText.
inline constexpr unsigned DST_PREFIXTEXT = 0x0002;
inline constexpr unsigned DSS_DISABLED = 0x0020;
inline constexpr unsigned DSS_RIGHT = 0x8000;

/// Raster operations of bitBlt (destination D, source S).
enum RasterOp : std::uint32_t {
    SRCCOPY = 0x00CC0020,    // D = S
    NOTSRCCOPY = 0x00330008, // D = ~S
    SRCAND = 0x008800C6,     // D = D & S
    SRCINVERT = 0x00660046,  // D = D ^ S
};

} // namespace velmora
