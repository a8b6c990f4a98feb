#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <cstdint>

namespace velmora {

/// A colour as the window descriptions and the control store it: 0x00BBGGRR
/// (red in the low byte), or 0x800000nn for system colour nn.
using OleColor = std::uint32_t;

inline constexpr OleColor kSystemColorFlag = 0x80000000u;
inline constexpr OleColor kColorButtonFace = 0x8000000Fu;
inline constexpr OleColor kColorGrayText = 0x80000011u;
inline constexpr OleColor kColorButtonText = 0x80000012u;

constexpr bool isSystemColor(OleColor colour) {
    return (colour & 0xFF000000u) == kSystemColorFlag;
}

/// The palette colour that stands for system colour `index`.
inline QColor systemColor(unsigned index, const QPalette& palette) {
    switch (index) {
    case 0x00:
        return palette.color(QPalette::Window); // scroll bar
    case 0x01:
        return palette.color(QPalette::Dark); // desktop
    case 0x02:
        return palette.color(QPalette::Highlight); // active caption
    case 0x03:
        return palette.color(QPalette::Inactive, QPalette::Highlight);
    case 0x04:
        return palette.color(QPalette::Window); // menu
    case 0x05:
        return palette.color(QPalette::Base); // window
    case 0x06:
        // Window frame: plain one-line frames are drawn in the foreground
        // colour.  No other system colour reads this role, so a palette
        // can tell the frame from the dark shadow of 3-D edges.
        return palette.color(QPalette::WindowText);
    case 0x07:
        return palette.color(QPalette::Text); // menu text
    case 0x08:
        return palette.color(QPalette::Text); // window text
    case 0x09:
        return palette.color(QPalette::HighlightedText); // caption text
    case 0x0D:
        return palette.color(QPalette::Highlight);
    case 0x0E:
        return palette.color(QPalette::HighlightedText);
    case 0x0F:
        return palette.color(QPalette::Button); // button face
    case 0x10:
        return palette.color(QPalette::Dark); // button shadow
    case 0x11:
        return palette.color(QPalette::Disabled, QPalette::Text); // grey text
    case 0x12:
        return palette.color(QPalette::ButtonText);
    case 0x14:
        return palette.color(QPalette::Light); // button highlight
    case 0x15:
        return palette.color(QPalette::Shadow); // dark shadow
    case 0x16:
        return palette.color(QPalette::Midlight); // light
    case 0x17:
        return palette.color(QPalette::ToolTipText);
    case 0x18:
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Window);
    }
}

/// Resolves `colour` to an RGB colour; system colours come from `palette`.
inline QColor toQColor(OleColor colour, const QPalette& palette = QGuiApplication::palette()) {
    if (isSystemColor(colour))
        return systemColor(colour & 0xFFu, palette);
    return QColor(int(colour & 0xFFu), int((colour >> 8) & 0xFFu), int((colour >> 16) & 0xFFu));
}

/// The direct 0x00BBGGRR value of an RGB colour.
inline OleColor fromQColor(const QColor& colour) {
    return OleColor(colour.red()) | (OleColor(colour.green()) << 8) |
           (OleColor(colour.blue()) << 16);
}

} // namespace velmora
