#pragma once

#include <QString>
#include <QtCore/qnamespace.h>
#include <optional>

namespace velmora {

/// Translates Qt's input values into the 16-bit values ButtonEx events
/// carry: mouse buttons 1 left, 2 right, 4 middle; shift bits 1 shift,
/// 2 ctrl, 4 alt; key codes as virtual-key numbers; positions in twips.
class InputCodes {
public:
    static constexpr int kTwipsPerPixel = 15; // 1440 per inch at the 96-dpi design setting

    static short buttons(Qt::MouseButtons buttons);
    static short shift(Qt::KeyboardModifiers modifiers);
    /// The virtual-key number of a Qt key; 0 for keys without one.
    static short keyCode(int qtKey);
    /// The character code a key press types, or nothing when it types none.
    static std::optional<short> keyAscii(const QString& text);
    static float twips(qreal pixels) { return float(pixels * kTwipsPerPixel); }
};

} // namespace velmora
