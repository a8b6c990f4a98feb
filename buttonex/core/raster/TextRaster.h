#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <optional>

namespace velmora {

/// A caption with its access-key markers taken out: "&x" becomes x and is
/// listed as underlined, "&&" becomes one "&", a lone final "&" vanishes.
struct PrefixText {
    QString shown;
    QList<int> underlined; // indexes into `shown`
};

/// Splits `stored` into the text to show and the characters to underline.
PrefixText parsePrefix(const QString& stored);

/// Measures and rasterises text in one font, without antialiasing, so that
/// drawn pixels are exact.  Rendered masks are kept per text, because laying
/// out glyphs costs far more than stamping them; the pixels are the same.
class TextRaster {
public:
    /// Sets the font (antialiasing is switched off); drops what was kept.
    void setFont(const QFont& font);
    const QFont& font() const { return m_font; }

    /// Width and height in pixels of `text` exactly as stored: every "&"
    /// counts as a character, the height is the font's line height.
    QSize measure(const QString& text) const;

    /// Coverage mask (Format_Alpha8, 0 or 255) of `text` as drawn from its
    /// top-left corner, with prefix markers resolved when `prefix` is set.
    /// Null for empty text.
    const QImage& mask(const QString& text, bool prefix, bool rightToLeft) const;

private:
    QImage render(const QString& text, bool prefix, bool rightToLeft) const;

    QFont m_font;
    mutable QHash<QString, QSize> m_sizes;
    mutable QHash<QString, QImage> m_masks;
};

} // namespace velmora
