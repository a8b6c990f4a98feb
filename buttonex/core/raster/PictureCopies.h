#pragma once

#include "RasterConstants.h"
#include "Surface.h"

#include <QPoint>

namespace velmora {

/// Key colour that asks a copy to take the key from a fixed source pixel.
inline constexpr OleColor kKeyFromSource = 0xFFFFFFFFu;

/// One raster copy of the source block onto the target; a width or height
/// of -1 means the source's own.  True when the copy succeeded.
bool CopySurface(const Surface& source, Surface& target, RasterOp op, int targetX, int targetY,
                 int sourceX, int sourceY, int width, int height);

/// Copies the two-colour mask of the source block onto the target: source
/// pixels of colour `key` take the target's background colour, all others
/// its text colour.  Key -1 is the source pixel at (0, 0).  The source is
/// left unchanged.  True when both copies succeeded.
bool CopyMask(const Surface& source, Surface& target, OleColor key, int targetX, int targetY,
              int sourceX, int sourceY, int width, int height);

/// Copies the source block onto the target leaving out pixels of colour
/// `key` (-1: the source pixel at (0, 0)).  True when every step succeeded;
/// the target is untouched unless all did.
bool CopyTransparent(const Surface& source, Surface& target, OleColor key, int targetX, int targetY,
                     int sourceX, int sourceY, int width, int height);

/// As CopyTransparent, with key -1 meaning the source pixel at (1, 1).
void DrawTransparent(Surface& target, const Surface& source, const QPoint& targetPoint,
                     const QPoint& sourcePoint, int width, int height, OleColor key);

/// Builds on `result` the one-colour silhouette of `picture`: every pixel
/// whose colour differs from the picture's top-left pixel comes out as
/// `colour` XOR the mask's text colour; the rest of `result` is untouched.
/// `mask` and `tint` are scratch surfaces at least width x height; the
/// tint's background colour is left at `colour`.
void PaintSilhouette(const Surface& picture, Surface& result, Surface& mask, Surface& tint,
                     OleColor colour, int width, int height);

} // namespace velmora
