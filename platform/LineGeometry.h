#pragma once

#include "Twips.h"

#include <QLine>
#include <QRect>

namespace velmora {

/// A line of a window description on the pixel grid: each end snaps to its
/// nearest pixel, and the line's widget is the box around both ends, one
/// pixel wider and higher than their distance so that both lie inside.
struct LineGeometry {
    /// The box in pixels, in the coordinates of the line's parent.
    QRect box;
    /// The ends relative to the box.
    QPoint from;
    QPoint to;

    static LineGeometry fromTwips(const QLine& twips) {
        const QPoint from(twipsToPixels(twips.x1()), twipsToPixels(twips.y1()));
        const QPoint to(twipsToPixels(twips.x2()), twipsToPixels(twips.y2()));
        const QPoint topLeft(qMin(from.x(), to.x()), qMin(from.y(), to.y()));
        const QSize size(qAbs(to.x() - from.x()) + 1, qAbs(to.y() - from.y()) + 1);
        return {QRect(topLeft, size), from - topLeft, to - topLeft};
    }

    /// The box in twips: the line's place in the window's design.
    QRect designBox() const { return pixelsToTwips(box); }
};

} // namespace velmora
