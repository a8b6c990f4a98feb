#pragma once

#include "platform/Twips.h"

#include <QSize>

namespace velmora {

/// The least outer width and height of the main window, in twips.
inline constexpr int kMainMinimumTwips = 2000;

/// The size the main window is set back to when it has been made smaller
/// than its minimum: each dimension below 2000 twips becomes the least
/// whole number of pixels that is not below it; the other is left alone.
constexpr QSize clampedMainSize(QSize pixels) {
    constexpr int least = (kMainMinimumTwips + kTwipsPerPixel - 1) / kTwipsPerPixel;
    return {pixels.width() < least ? least : pixels.width(),
            pixels.height() < least ? least : pixels.height()};
}

} // namespace velmora
