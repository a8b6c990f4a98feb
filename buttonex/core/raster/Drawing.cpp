#include "Drawing.h"

namespace velmora {

namespace {
// System colours the classic bevels are made of.
constexpr OleColor kButtonFace = 0x8000000Fu;
constexpr OleColor kButtonShadow = 0x80000010u;
constexpr OleColor kButtonHighlight = 0x80000014u;
constexpr OleColor kDarkShadow = 0x80000015u;
constexpr OleColor kLight3D = 0x80000016u;
constexpr OleColor kWindow = 0x80000005u;
constexpr OleColor kWindowFrame = 0x80000006u;

struct BorderColours {
    OleColor topLeft;
    OleColor bottomRight;
};

// Raised borders are lit from the top left, sunken ones the other way:
//   outer raised:  top/left 3-D light,        bottom/right dark shadow
//   inner raised:  top/left button highlight, bottom/right button shadow
//   outer sunken:  top/left button shadow,    bottom/right button highlight
//   inner sunken:  top/left dark shadow,      bottom/right 3-D light
// A border asked to be raised and sunken at once takes the sunken top/left
// and the raised bottom/right, a frame that is dark all round.
BorderColours bevelColours(bool outer, bool raised, bool sunken) {
    if (outer) {
        if (raised && !sunken)
            return {kLight3D, kDarkShadow};
        if (sunken && !raised)
            return {kButtonShadow, kButtonHighlight};
        return {kButtonShadow, kDarkShadow};
    }
    if (raised && !sunken)
        return {kButtonHighlight, kButtonShadow};
    if (sunken && !raised)
        return {kDarkShadow, kLight3D};
    return {kDarkShadow, kButtonShadow};
}

BorderColours borderColours(bool outer, unsigned bits, unsigned flags) {
    if (flags & BF_MONO)
        return outer ? BorderColours{kWindowFrame, kWindowFrame} : BorderColours{kWindow, kWindow};
    if (flags & BF_FLAT)
        return outer ? BorderColours{kButtonShadow, kButtonShadow}
                     : BorderColours{kButtonFace, kButtonFace};
    const unsigned raised = outer ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
    const unsigned sunken = outer ? BDR_SUNKENOUTER : BDR_SUNKENINNER;
    return bevelColours(outer, bits & raised, bits & sunken);
}

// One border one pixel wide along the chosen sides of `r`.  Top and left go
// first and bottom and right over them, so the bottom/right colour owns the
// top-right and bottom-left corners.  EDGE_RAISED on 5 x 4 pixels:
//   L L L L D     L 3-D light         (outer top, outer left)
//   L H H S D     D dark shadow       (outer bottom, outer right)
//   L S S S D     H button highlight  (inner top, inner left)
//   D D D D D     S button shadow     (inner bottom, inner right)
void drawBorder(Surface& surface, const QRect& r, unsigned flags, const BorderColours& colours) {
    const QRgb topLeft = surface.resolve(colours.topLeft);
    const QRgb bottomRight = surface.resolve(colours.bottomRight);
    if (flags & BF_TOP)
        surface.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    if (flags & BF_LEFT)
        surface.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    if (flags & BF_BOTTOM)
        surface.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    if (flags & BF_RIGHT)
        surface.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

// The rectangle inside one border on the chosen sides.
QRect inset(const QRect& r, unsigned flags) {
    return r.adjusted(flags & BF_LEFT ? 1 : 0, flags & BF_TOP ? 1 : 0, flags & BF_RIGHT ? -1 : 0,
                      flags & BF_BOTTOM ? -1 : 0);
}
} // namespace

bool drawEdge(Surface& surface, QRect& rect, unsigned edge, unsigned flags) {
    if (surface.isNull())
        return false;
    QRect inner = rect;
    if (edge & BDR_OUTER) {
        drawBorder(surface, inner, flags, borderColours(true, edge, flags));
        inner = inset(inner, flags);
    }
    if (edge & BDR_INNER) {
        drawBorder(surface, inner, flags, borderColours(false, edge, flags));
        inner = inset(inner, flags);
    }
    if (flags & BF_ADJUST)
        rect = inner;
    return true;
}

void drawStateText(Surface& surface, const QPoint& origin, const QString& text, unsigned flags) {
    const QImage& coverage = surface.text().mask(text, flags & DST_PREFIXTEXT, flags & DSS_RIGHT);
    if (flags & DSS_DISABLED) {
        surface.stamp(coverage, origin + QPoint(1, 1), surface.resolve(kButtonHighlight));
        surface.stamp(coverage, origin, surface.resolve(kButtonShadow));
    } else {
        surface.stamp(coverage, origin, surface.textRgb());
    }
}

void drawFocusRect(Surface& surface, const QRect& rect) {
    const QRect r = rect.normalized();
    if (r.isEmpty())
        return;
    // The outline is exclusive-ored with a checker whose set squares take
    // the background colour and whose clear ones the text colour, so black
    // text on any background dots every other pixel, and a second call
    // undoes the first.  Every pixel of the outline is visited once, the
    // checker keeps its phase against the surface, not the rectangle, and
    // pixels off the surface are skipped, not moved.
    const QRgb set = surface.backRgb();
    const QRgb clear = surface.textRgb();
    auto dot = [&](int x, int y) { surface.xorPixel(x, y, ((x + y) & 1) == 0 ? set : clear); };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        if (r.bottom() != r.top())
            dot(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        dot(r.left(), y);
        if (r.right() != r.left())
            dot(r.right(), y);
    }
}

} // namespace velmora
