#pragma once

#include <QImage>
#include <QSize>

namespace velmora {

/// The main window's artwork: title bar with the product name, minimise and
/// close glyphs, the curved left navigation panel with its Guides and
/// Videos entries, and the light-blue content area.
class Skin {
public:
    static constexpr QSize kSize{1024, 737};
    /// The artwork rendered at kSize; a null image when the resource cannot be read.
    static QImage render();
};

} // namespace velmora
