#pragma once

#include "TextRaster.h"

#include <Button/OleColor.h>

#include <QImage>
#include <QPalette>
#include <QRect>
#include <optional>

namespace velmora {

/// A drawing surface: pixels (32-bit colour or 1 bit per pixel) with the
/// drawing state raster operations read: a background colour, a text
/// colour, a font and the palette system colours resolve against.
/// A new surface has a white background and black text; a 1-bit surface
/// stores white as 1 and black as 0.  Copies share pixels until written.
class Surface {
public:
    enum class Depth { Colour, Mono };

    Surface() = default;
    /// A surface of `size` pixels cleared to its background colour.
    explicit Surface(const QSize& size, Depth depth = Depth::Colour);

    /// Changes the size; the pixels are cleared to the background colour.
    void resize(const QSize& size);
    /// Takes the pixels of `image` (converted to this surface's depth) and
    /// its size; transparent pixels show the background colour.
    void setImage(const QImage& image);

    bool isNull() const { return m_image.isNull(); }
    bool isMono() const { return m_depth == Depth::Mono; }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    QSize size() const { return m_image.size(); }
    QRect rect() const { return m_image.rect(); }
    const QImage& image() const { return m_image; }

    void setPalette(const QPalette& palette);
    const QPalette& palette() const { return m_palette; }
    /// The RGB value `colour` stands for on this surface.
    QRgb resolve(OleColor colour) const;

    void setBackColor(OleColor colour);
    OleColor backColor() const { return m_backColor; }
    QRgb backRgb() const { return m_backRgb; }
    void setTextColor(OleColor colour);
    OleColor textColor() const { return m_textColor; }
    QRgb textRgb() const { return m_textRgb; }

    /// Sets the font text is measured and drawn in (never antialiased).
    void setFont(const QFont& font);
    const TextRaster& text() const { return m_text; }

    /// Fills the whole surface with the background colour.
    void clear();
    /// The colour at `point`, or nothing outside the surface.
    std::optional<QRgb> pixel(const QPoint& point) const;
    /// Writes one pixel; points outside the surface are ignored.
    void setPixel(int x, int y, QRgb colour);
    /// Fills `area` (clipped to the surface) with `colour`.
    void fillRect(const QRect& area, QRgb colour);
    /// Exclusive-ors one pixel with `colour` (on a 1-bit surface with the
    /// bit `colour` is stored as); outside points are ignored.
    void xorPixel(int x, int y, QRgb colour);
    /// Paints `colour` wherever `coverage` (Format_Alpha8) is set, with the
    /// mask's top-left corner at `origin`; clipped to the surface.
    void stamp(const QImage& coverage, const QPoint& origin, QRgb colour);

    /// Raw access for raster copies.
    uchar* scanLine(int y) { return m_image.scanLine(y); }
    const uchar* constScanLine(int y) const { return m_image.constScanLine(y); }
    /// Whether `colour` is stored as 1 on a 1-bit surface.
    static bool monoBit(QRgb colour) { return qGray(colour) >= 128; }

private:
    QImage m_image;
    Depth m_depth = Depth::Colour;
    QPalette m_palette;
    OleColor m_backColor = 0x00FFFFFFu;
    OleColor m_textColor = 0x00000000u;
    QRgb m_backRgb = qRgb(255, 255, 255);
    QRgb m_textRgb = qRgb(0, 0, 0);
    TextRaster m_text;
};

} // namespace velmora
