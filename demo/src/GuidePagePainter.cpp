#include "GuidePagePainter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

namespace velmora {

namespace {

// Design grid in pixels of the 1240 x 1754 design page (A4 at 150 dpi).
constexpr qreal kMargin = 130;
constexpr qreal kWidth = GuidePagePainter::designSize.width() - 2 * kMargin;
constexpr qreal kContentTop = 190;
constexpr qreal kContentBottom = 1625;
constexpr qreal kFooterRule = 1652;

const QColor kPaper(0xff, 0xfe, 0xfb);
const QColor kInk(0x2a, 0x2a, 0x2e);
const QColor kHeadingInk(0x1d, 0x2a, 0x3a);
const QColor kMuted(0x6b, 0x72, 0x7c);
const QColor kRule(0xd8, 0xdb, 0xe0);

QFont makeFont(bool serif, int pixelSize, QFont::Weight weight = QFont::Normal) {
    QFont font;
    font.setFamilies(
        serif ? QStringList{QStringLiteral("P052"), QStringLiteral("DejaVu Serif")}
              : QStringList{QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

QFont spaced(QFont font, qreal spacing) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}

/// A colour between `colour` and white; `amount` 0 keeps the colour.
QColor tint(const QColor& colour, qreal amount) {
    return QColor::fromRgbF(float(colour.redF() + (1 - colour.redF()) * amount),
                            float(colour.greenF() + (1 - colour.greenF()) * amount),
                            float(colour.blueF() + (1 - colour.blueF()) * amount));
}

/// Text style of a wrapped block.
struct TextStyle {
    QFont font;
    qreal lineHeight = 0;
    QColor colour;
    Qt::Alignment alignment = Qt::AlignLeft;
};

/// Lays `text` out in lines of `width` with a fixed line pitch and, when a
/// painter is given, draws it with its top-left corner at `origin`. Returns
/// the height the text takes, so the same call measures and paints.
qreal wrappedText(QPainter* painter, const QString& text, const TextStyle& style, QPointF origin,
                  qreal width) {
    QTextLayout layout(text, style.font);
    QTextOption option(style.alignment);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y + (style.lineHeight - line.height()) / 2));
        y += style.lineHeight;
    }
    layout.endLayout();
    if (painter) {
        painter->setPen(style.colour);
        layout.draw(painter, origin);
    }
    return y;
}

/// The text styles of a content page, derived from the guide's colour.
struct PageStyles {
    explicit PageStyles(const QColor& accent)
        : body{makeFont(true, 28), 41, kInk}, subHeading{makeFont(false, 32, QFont::Bold), 42,
                                                         accent},
          tip{makeFont(false, 26), 38, kHeadingInk}, step{makeFont(false, 21, QFont::DemiBold), 28,
                                                          kHeadingInk, Qt::AlignHCenter} {}
    TextStyle body;
    TextStyle subHeading;
    TextStyle tip;
    TextStyle step;
};

/// Draws a row of numbered circles joined by a line, labels below.
qreal paintSteps(QPainter& painter, const QStringList& steps, const TextStyle& style,
                 const QColor& accent, qreal top) {
    constexpr qreal diameter = 62;
    const qreal slot = kWidth / qreal(steps.size());
    const qreal centreY = top + diameter / 2;
    painter.setPen(QPen(tint(accent, 0.55), 6));
    painter.drawLine(QPointF(kMargin + slot / 2, centreY),
                     QPointF(kMargin + kWidth - slot / 2, centreY));
    qreal labelHeight = 0;
    const QFont numberFont = makeFont(false, 28, QFont::Bold);
    for (int i = 0; i < steps.size(); ++i) {
        const QPointF centre(kMargin + slot * (i + 0.5), centreY);
        painter.setPen(QPen(kPaper, 5));
        painter.setBrush(accent);
        painter.drawEllipse(centre, diameter / 2, diameter / 2);
        painter.setFont(numberFont);
        painter.setPen(Qt::white);
        painter.drawText(QRectF(centre.x() - diameter / 2, top, diameter, diameter),
                         Qt::AlignCenter, QString::number(i + 1));
        const qreal h =
            wrappedText(&painter, steps.at(i), style,
                        QPointF(centre.x() - slot / 2 + 6, top + diameter + 14), slot - 12);
        labelHeight = qMax(labelHeight, h);
    }
    painter.setBrush(Qt::NoBrush);
    return diameter + 14 + labelHeight;
}

/// Draws a tinted box with an accent bar, a "Tip" label and the text.
qreal paintTip(QPainter& painter, const QString& text, const TextStyle& style, const QColor& accent,
               qreal top) {
    constexpr qreal padding = 30;
    constexpr qreal labelHeight = 40;
    const qreal textWidth = kWidth - 2 * padding - 10;
    const qreal height =
        padding + labelHeight + wrappedText(nullptr, text, style, {}, textWidth) + padding;
    QPainterPath box;
    box.addRoundedRect(QRectF(kMargin, top, kWidth, height), 10, 10);
    painter.fillPath(box, tint(accent, 0.9));
    painter.fillRect(QRectF(kMargin, top, 10, height), accent);
    painter.setPen(accent);
    painter.setFont(spaced(makeFont(false, 22, QFont::Bold), 2));
    painter.drawText(QRectF(kMargin + padding + 10, top + padding - 6, textWidth, labelHeight),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral("TIP"));
    wrappedText(&painter, text, style, QPointF(kMargin + padding + 10, top + padding + labelHeight),
                textWidth);
    return height;
}

} // namespace

QImage GuidePagePainter::render(int index, QSize size, PageNumbering numbering,
                                QString& error) const {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kPaper);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    const qreal scale = qreal(size.width()) / designSize.width();
    painter.scale(scale, scale);
    qreal bottom = 0;
    if (index == 0) {
        bottom = paintCover(painter);
    } else {
        paintHeader(painter);
        bottom = paintContent(painter, m_document.pages.at(index - 1), index);
    }
    if (bottom > kContentBottom) {
        error = QStringLiteral("%1: page %2 is %3 px too long")
                    .arg(m_document.label)
                    .arg(index + 1)
                    .arg(qRound(bottom - kContentBottom));
        return {};
    }
    paintFooter(painter, numbering);
    return image;
}

void GuidePagePainter::paintHeader(QPainter& painter) const {
    painter.fillRect(QRectF(kMargin, 66, 14, 14), m_document.accent);
    painter.setFont(spaced(makeFont(false, 20, QFont::Bold), 2.5));
    painter.setPen(m_document.accent);
    painter.drawText(QRectF(kMargin + 28, 56, kWidth, 34), Qt::AlignLeft | Qt::AlignVCenter,
                     m_document.label.toUpper());
    painter.setFont(makeFont(false, 20));
    painter.setPen(kMuted);
    painter.drawText(QRectF(kMargin, 56, kWidth, 34), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Velmora \u00b7 Working on Taskmarket"));
    painter.setPen(QPen(kRule, 2));
    painter.drawLine(QPointF(kMargin, 108), QPointF(kMargin + kWidth, 108));
}

void GuidePagePainter::paintFooter(QPainter& painter, PageNumbering numbering) const {
    const qreal height = designSize.height();
    painter.setPen(QPen(kRule, 2));
    painter.drawLine(QPointF(kMargin, kFooterRule), QPointF(kMargin + kWidth, kFooterRule));
    painter.setFont(makeFont(false, 20));
    painter.setPen(kMuted);
    const QRectF line(kMargin, kFooterRule + 16, kWidth, height - kFooterRule - 60);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("Velmora \u00b7 %1 for Taskmarket").arg(m_document.title));
    painter.setFont(makeFont(false, 20, QFont::Bold));
    painter.setPen(kHeadingInk);
    painter.drawText(line, Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("Page %1 of %2").arg(numbering.number).arg(numbering.total));
}

qreal GuidePagePainter::paintContent(QPainter& painter, const GuidePage& page, int chapter) const {
    const PageStyles styles(m_document.accent);
    qreal y = kContentTop;
    painter.setFont(spaced(makeFont(false, 21, QFont::Bold), 3));
    painter.setPen(m_document.accent);
    painter.drawText(QPointF(kMargin, y + 20), QStringLiteral("CHAPTER %1").arg(chapter));
    y += 42;
    y += wrappedText(&painter, page.heading, {makeFont(false, 54, QFont::Bold), 66, kHeadingInk},
                     QPointF(kMargin, y), kWidth);
    painter.fillRect(QRectF(kMargin, y + 14, 96, 7), m_document.accent);
    y += 62;

    using Kind = GuideBlock::Kind;
    Kind previous = Kind::SubHeading;
    for (const GuideBlock& block : page.blocks) {
        switch (block.kind) {
        case Kind::Paragraph:
            y += previous == Kind::SubHeading ? 0 : 18;
            y += wrappedText(&painter, block.text, styles.body, QPointF(kMargin, y), kWidth);
            break;
        case Kind::SubHeading:
            y += 30;
            y += wrappedText(&painter, block.text, styles.subHeading, QPointF(kMargin, y), kWidth);
            y += 6;
            break;
        case Kind::Bullet: {
            y += previous == Kind::Bullet ? 6 : 14;
            painter.setPen(Qt::NoPen);
            painter.setBrush(m_document.accent);
            painter.drawEllipse(QPointF(kMargin + 12, y + 22), 6, 6);
            painter.setBrush(Qt::NoBrush);
            y += wrappedText(&painter, block.text, styles.body, QPointF(kMargin + 40, y),
                             kWidth - 40);
            break;
        }
        case Kind::Tip:
            y += 36;
            y += paintTip(painter, block.text, styles.tip, m_document.accent, y);
            break;
        case Kind::Steps:
            y += 36;
            y += paintSteps(painter, block.steps, styles.step, m_document.accent, y);
            y += 10;
            break;
        }
        previous = block.kind;
    }
    return y;
}

qreal GuidePagePainter::paintCover(QPainter& painter) const {
    const QColor accent = m_document.accent;
    const qreal width = designSize.width();
    constexpr qreal bandHeight = 610;
    painter.fillRect(QRectF(0, 0, width, bandHeight), accent);

    // Rows of rounded "task cards" fading to the right decorate the band.
    painter.setPen(Qt::NoPen);
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 4; ++column) {
            const qreal x = 700 + column * 132 + (row % 2) * 66;
            const qreal y = 50 + row * 104;
            QColor card = tint(accent, 0.25 + 0.12 * column);
            card.setAlphaF(0.35f + 0.1f * float((row + column) % 3));
            painter.setBrush(card);
            painter.drawRoundedRect(QRectF(x, y, 104, 82), 12, 12);
        }
    }
    painter.setBrush(Qt::NoBrush);

    const TextStyle kicker{spaced(makeFont(false, 22, QFont::Bold), 3), 32, tint(accent, 0.7)};
    wrappedText(&painter, QStringLiteral("VELMORA LEARNING PACKAGE"), kicker, QPointF(kMargin, 170),
                kWidth);
    qreal y = 220;
    y += wrappedText(&painter, m_document.title, {makeFont(false, 92, QFont::Bold), 104, Qt::white},
                     QPointF(kMargin, y), 640);
    y += 24;
    wrappedText(&painter, m_document.subtitle, {makeFont(false, 34), 46, tint(accent, 0.85)},
                QPointF(kMargin, y), 620);

    const PageStyles styles(accent);
    y = bandHeight + 64;
    y += wrappedText(&painter, m_document.intro, styles.body, QPointF(kMargin, y), kWidth);
    y += 40;
    y += wrappedText(&painter, QStringLiteral("Contents"), styles.subHeading, QPointF(kMargin, y),
                     kWidth);
    y += 14;

    const QFont entryFont = makeFont(false, 25);
    const QFont numberFont = makeFont(false, 25, QFont::Bold);
    for (int i = 0; i < m_document.pages.size(); ++i) {
        const QRectF line(kMargin, y, kWidth, 45);
        painter.setFont(entryFont);
        painter.setPen(kInk);
        const QString entry =
            QStringLiteral("%1.  %2").arg(i + 1).arg(m_document.pages.at(i).heading);
        QRectF used;
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, entry, &used);
        painter.setFont(numberFont);
        painter.setPen(accent);
        QRectF numberRect;
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, QString::number(i + 2),
                         &numberRect);
        // Dotted leader between the entry and its page number.
        painter.setPen(QPen(kRule, 3, Qt::DotLine));
        painter.drawLine(QPointF(used.right() + 16, line.center().y() + 8),
                         QPointF(numberRect.left() - 16, line.center().y() + 8));
        y += 45;
    }
    return y;
}

} // namespace velmora
