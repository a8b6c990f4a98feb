#pragma once

// A palette whose system colours are all distinct, so that a painted pixel
// tells which role drew it, and a letter per role for compact pixel maps.
#include <QFont>
#include <QPalette>
#include <QString>

namespace velmora::test {

// No role is white or black, so neither a cleared surface nor an inverted
// pixel can pass for one.
inline constexpr QRgb kHighlight = 0xFFFFFFE0;   // button highlight (H)
inline constexpr QRgb kDarkShadow = 0xFF202020;  // dark shadow (D)
inline constexpr QRgb kWindowFrame = 0xFF301010; // window frame (K)
inline constexpr QRgb kLight = 0xFFE0E0E0;       // 3-D light (L)
inline constexpr QRgb kShadow = 0xFF808080;      // button shadow (S)
inline constexpr QRgb kFace = 0xFFC0C0C0;        // button face (F)
inline constexpr QRgb kWindow = 0xFFF0F0F0;      // window (W)
inline constexpr QRgb kButtonText = 0xFF000080;  // button text
inline constexpr QRgb kGrayText = 0xFF8080A0;    // grey text

inline QPalette rasterPalette() {
    QPalette palette;
    palette.setColor(QPalette::Light, QColor::fromRgb(kHighlight));
    palette.setColor(QPalette::Shadow, QColor::fromRgb(kDarkShadow));
    palette.setColor(QPalette::WindowText, QColor::fromRgb(kWindowFrame));
    palette.setColor(QPalette::Midlight, QColor::fromRgb(kLight));
    palette.setColor(QPalette::Dark, QColor::fromRgb(kShadow));
    palette.setColor(QPalette::Button, QColor::fromRgb(kFace));
    palette.setColor(QPalette::Base, QColor::fromRgb(kWindow));
    palette.setColor(QPalette::ButtonText, QColor::fromRgb(kButtonText));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor::fromRgb(kGrayText));
    return palette;
}

inline QChar roleLetter(QRgb pixel) {
    switch (pixel | 0xFF000000u) {
    case kHighlight:
        return u'H';
    case kDarkShadow:
        return u'D';
    case kWindowFrame:
        return u'K';
    case kLight:
        return u'L';
    case kShadow:
        return u'S';
    case kFace:
        return u'F';
    case kWindow:
        return u'W';
    default:
        return u'.';
    }
}

inline QFont captionFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    return font;
}

// The caption font as the raster layer measures it.
inline QFont measuredFont() {
    QFont font = captionFont();
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace velmora::test
