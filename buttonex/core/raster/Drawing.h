#pragma once

#include "RasterConstants.h"
#include "Surface.h"

#include <QPoint>
#include <QRect>
#include <QString>

namespace velmora {

/// Draws the borders `edge` (BDR_* bits) on the sides of `rect` chosen by
/// `flags` (BF_* bits) in the classic 3-D colours of the surface's palette;
/// BF_FLAT draws each border in one colour, BF_MONO in the window-frame
/// colour.  With BF_ADJUST `rect` shrinks by the borders drawn.  False only
/// for a null surface.
bool drawEdge(Surface& surface, QRect& rect, unsigned edge, unsigned flags);

/// Draws `text` transparently with its top-left corner at `origin`, in the
/// surface's text colour and font.  DST_PREFIXTEXT resolves "&" markers,
/// DSS_DISABLED embosses it (highlight at +1,+1 under shadow at the origin),
/// DSS_RIGHT lays it out right to left.
void drawStateText(Surface& surface, const QPoint& origin, const QString& text, unsigned flags);

/// Exclusive-ors the outline of `rect` with a checker of the surface's
/// background colour (where x + y is even) and text colour (where it is
/// odd), so that drawing the same rectangle twice restores the surface.
void drawFocusRect(Surface& surface, const QRect& rect);

} // namespace velmora
