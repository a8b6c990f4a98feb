#pragma once

#include <QRect>
#include <cmath>

class QWidget;

namespace velmora {

/// Layout unit of the window descriptions: 1440 per inch, 15 per pixel at
/// the 96-dpi design setting.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) {
    // Round half away from zero so that 7 twips of a 15-twip pixel round down
    // and 8 round up, for negative (off-screen) positions too.
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

constexpr int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

inline QRect twipsToPixels(const QRect& twips) {
    return {twipsToPixels(twips.x()), twipsToPixels(twips.y()), twipsToPixels(twips.width()),
            twipsToPixels(twips.height())};
}

inline QRect pixelsToTwips(const QRect& pixels) {
    return {pixelsToTwips(pixels.x()), pixelsToTwips(pixels.y()), pixelsToTwips(pixels.width()),
            pixelsToTwips(pixels.height())};
}

/// Moves `widget` to (`left`, `top`) twips in its parent.  A null widget
/// (a control its window left out) is skipped, here and below.
void moveInTwips(QWidget* widget, int left, int top);

/// Puts `widget` at (`left`, `top`) twips, `height` twips high; its width
/// stays as it is.
void placeInTwips(QWidget* widget, int left, int top, int height);

} // namespace velmora
