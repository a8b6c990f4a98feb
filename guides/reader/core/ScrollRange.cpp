#include "ScrollRange.h"

namespace velmora {

ScrollRange ScrollRange::forExtents(int surface, int viewport) {
    ScrollRange range;
    if (surface <= viewport)
        return range;
    range.enabled = true;
    const int excess = surface - viewport;
    range.excess = excess;
    range.unit = excess / kBarLimit + 1;
    range.max = (excess + range.unit - 1) / range.unit;
    const int page = viewport / range.unit;
    range.largeChange = range.max <= page ? range.max : page;
    if (range.largeChange < 1)
        range.largeChange = 1;
    range.smallChange = 15 / range.unit > 0 ? 15 / range.unit : 1;
    return range;
}

} // namespace velmora
