#pragma once

#include <QtCore/qnamespace.h>
#include <optional>

namespace velmora {

/// The standard pointer shapes a MousePointer code names.
class PointerShape {
public:
    static constexpr int kDefault = 0;
    static constexpr int kCustom = 99; // the MouseIcon image

    /// The Qt shape for `code` (taken as the 16-bit value it is handed on
    /// as); nothing for the default pointer, the custom one and unknown codes.
    static std::optional<Qt::CursorShape> shapeFor(int code);
};

} // namespace velmora
