#pragma once

namespace velmora {

/// A scroll bar's settings for a page surface inside a viewport, in twips.
/// The bar holds 16-bit values, so a surface that exceeds the viewport by
/// more than 32767 twips is scrolled in coarser units: `unit` twips per
/// bar step, so the whole page can still be reached.
struct ScrollRange {
    bool enabled = false;
    int max = 0;
    int largeChange = 1;
    int smallChange = 15;
    int unit = 1;
    int excess = 0; // how far the surface exceeds the viewport

    static constexpr int kBarLimit = 32767;

    /// The bar for a surface `surface` long in a viewport `viewport` long.
    static ScrollRange forExtents(int surface, int viewport);

    /// The surface offset (twips, to be negated) for a bar value.
    int offsetFor(int barValue) const {
        const int offset = barValue * unit;
        return offset < excess ? offset : excess;
    }
};

} // namespace velmora
