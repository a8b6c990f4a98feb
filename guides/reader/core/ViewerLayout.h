#pragma once

namespace velmora {

/// Twips a vertical scroll bar of a guide viewer is shorter than its viewport.
inline constexpr int kViewerBarShortfall = 50;

/// The width of a guide viewport in a main window `windowWidth` twips wide:
/// the window less three times the viewport's left edge and less the
/// width of its vertical bar (all in twips).
constexpr int viewerWidthFor(int windowWidth, int viewportLeft, int barWidth) {
    return windowWidth - 3 * viewportLeft - barWidth;
}

/// The height of a viewer's vertical bar for a viewport `viewportHeight` twips high.
constexpr int viewerBarHeightFor(int viewportHeight) {
    return viewportHeight - kViewerBarShortfall;
}

} // namespace velmora
