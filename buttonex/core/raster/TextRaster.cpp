#include "TextRaster.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace velmora {

namespace {
// Captions of one button are few; the bound only guards against a caller
// that cycles through endless texts.
constexpr qsizetype kMaxKeptTexts = 64;

template <typename Map> void keepBounded(Map& map) {
    if (map.size() >= kMaxKeptTexts)
        map.clear();
}
} // namespace

PrefixText parsePrefix(const QString& stored) {
    PrefixText result;
    result.shown.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        if (stored[i] != u'&') {
            result.shown.append(stored[i]);
            continue;
        }
        if (i + 1 >= stored.size())
            break;
        ++i;
        if (stored[i] != u'&')
            result.underlined.append(int(result.shown.size()));
        result.shown.append(stored[i]);
    }
    return result;
}

void TextRaster::setFont(const QFont& font) {
    m_font = font;
    m_font.setStyleStrategy(QFont::StyleStrategy(m_font.styleStrategy() | QFont::NoAntialias));
    m_sizes.clear();
    m_masks.clear();
}

QSize TextRaster::measure(const QString& text) const {
    auto found = m_sizes.constFind(text);
    if (found != m_sizes.constEnd())
        return *found;
    const QFontMetrics metrics(m_font);
    const QSize size(metrics.horizontalAdvance(text), metrics.height());
    keepBounded(m_sizes);
    m_sizes.insert(text, size);
    return size;
}

const QImage& TextRaster::mask(const QString& text, bool prefix, bool rightToLeft) const {
    const QString key =
        QString(QChar(prefix ? u'p' : u't')) + QChar(rightToLeft ? u'r' : u'l') + text;
    auto found = m_masks.constFind(key);
    if (found != m_masks.constEnd())
        return *found;
    keepBounded(m_masks);
    return *m_masks.insert(key, render(text, prefix, rightToLeft));
}

QImage TextRaster::render(const QString& text, bool prefix, bool rightToLeft) const {
    const PrefixText parsed = prefix ? parsePrefix(text) : PrefixText{text, {}};
    const QFontMetrics metrics(m_font);
    const int width = metrics.horizontalAdvance(parsed.shown);
    if (width <= 0)
        return {};

    QTextLayout layout(parsed.shown, m_font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(width);
    line.setPosition(QPointF(0, 0));
    layout.endLayout();

    QImage canvas(width, metrics.height(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setPen(Qt::black);
        layout.draw(&painter, QPointF(0, 0));
        // The access-key underline spans the character's advance, one line
        // below the baseline (kept inside the text's box).
        const int underlineY =
            std::min(metrics.ascent() + std::max(1, metrics.underlinePos()), metrics.height() - 1);
        const int thickness = std::max(1, metrics.lineWidth());
        for (int index : parsed.underlined) {
            const int x1 = qRound(line.cursorToX(index));
            const int x2 = qRound(line.cursorToX(index + 1));
            painter.fillRect(QRect(std::min(x1, x2), underlineY, std::abs(x2 - x1), thickness),
                             Qt::black);
        }
    }
    QImage coverage = canvas.convertToFormat(QImage::Format_Alpha8);
    // Anything the rasteriser left partly covered counts as ink or not, so
    // that a stamp never blends.
    for (int y = 0; y < coverage.height(); ++y) {
        uchar* row = coverage.scanLine(y);
        for (int x = 0; x < coverage.width(); ++x)
            row[x] = row[x] >= 128 ? 255 : 0;
    }
    return coverage;
}

} // namespace velmora
