#include "Surface.h"

#include <QPainter>

#include <algorithm>

namespace velmora {

namespace {
QImage blankImage(const QSize& size, Surface::Depth depth) {
    if (size.isEmpty())
        return {};
    if (depth == Surface::Depth::Colour)
        return QImage(size, QImage::Format_RGB32);
    QImage mono(size, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    return mono;
}
} // namespace

Surface::Surface(const QSize& size, Depth depth)
    : m_image(blankImage(size, depth)), m_depth(depth) {
    clear();
}

void Surface::resize(const QSize& size) {
    m_image = blankImage(size, m_depth);
    clear();
}

void Surface::setImage(const QImage& image) {
    if (image.isNull()) {
        m_image = QImage();
        return;
    }
    QImage colour(image.size(), QImage::Format_RGB32);
    colour.fill(m_backRgb);
    {
        QPainter painter(&colour);
        painter.drawImage(0, 0, image);
    }
    if (m_depth == Depth::Colour) {
        m_image = colour;
        return;
    }
    m_image = blankImage(image.size(), m_depth);
    for (int y = 0; y < colour.height(); ++y)
        for (int x = 0; x < colour.width(); ++x)
            setPixel(x, y, colour.pixel(x, y));
}

void Surface::setPalette(const QPalette& palette) {
    m_palette = palette;
    m_backRgb = resolve(m_backColor);
    m_textRgb = resolve(m_textColor);
}

QRgb Surface::resolve(OleColor colour) const {
    return toQColor(colour, m_palette).rgb();
}

void Surface::setBackColor(OleColor colour) {
    m_backColor = colour;
    m_backRgb = resolve(colour);
}

void Surface::setTextColor(OleColor colour) {
    m_textColor = colour;
    m_textRgb = resolve(colour);
}

void Surface::setFont(const QFont& font) {
    if (font != m_text.font())
        m_text.setFont(font);
}

void Surface::clear() {
    if (m_image.isNull())
        return;
    if (isMono())
        m_image.fill(monoBit(m_backRgb) ? 1u : 0u);
    else
        m_image.fill(m_backRgb);
}

std::optional<QRgb> Surface::pixel(const QPoint& point) const {
    if (!m_image.valid(point))
        return std::nullopt;
    return m_image.pixel(point) | 0xFF000000u;
}

void Surface::setPixel(int x, int y, QRgb colour) {
    if (!m_image.valid(x, y))
        return;
    if (isMono()) {
        uchar& byte = m_image.scanLine(y)[x >> 3];
        const uchar bit = uchar(0x80u >> (x & 7));
        byte = monoBit(colour) ? uchar(byte | bit) : uchar(byte & ~bit);
    } else {
        reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = colour | 0xFF000000u;
    }
}

void Surface::fillRect(const QRect& area, QRgb colour) {
    const QRect clipped = area & rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        if (isMono()) {
            for (int x = clipped.left(); x <= clipped.right(); ++x)
                setPixel(x, y, colour);
        } else {
            QRgb* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            std::fill(row + clipped.left(), row + clipped.right() + 1, colour | 0xFF000000u);
        }
    }
}

void Surface::xorPixel(int x, int y, QRgb colour) {
    if (!m_image.valid(x, y))
        return;
    if (isMono()) {
        if (monoBit(colour))
            m_image.scanLine(y)[x >> 3] ^= uchar(0x80u >> (x & 7));
    } else {
        reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] ^= colour & 0x00FFFFFFu;
    }
}

void Surface::stamp(const QImage& coverage, const QPoint& origin, QRgb colour) {
    if (coverage.isNull() || m_image.isNull())
        return;
    const QRect area = QRect(origin, coverage.size()) & rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* ink = coverage.constScanLine(y - origin.y());
        for (int x = area.left(); x <= area.right(); ++x)
            if (ink[x - origin.x()])
                setPixel(x, y, colour);
    }
}

} // namespace velmora
