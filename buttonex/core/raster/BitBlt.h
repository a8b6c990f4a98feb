#pragma once

#include "RasterConstants.h"
#include "Surface.h"

namespace velmora {

/// Combines the `width` x `height` block of `source` at (sourceX, sourceY)
/// into `target` at (x, y) with `op`, clipped to both surfaces.
/// Between depths: a colour source becomes 1 where it equals the source's
/// background colour and 0 elsewhere; a 1-bit source gives the target's
/// background colour for 1 and the target's text colour for 0.
/// False for a null surface or an unknown operation.
bool bitBlt(Surface& target, int x, int y, int width, int height, const Surface& source,
            int sourceX, int sourceY, RasterOp op);

} // namespace velmora
