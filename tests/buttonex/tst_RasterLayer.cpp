#include "RasterTestPalette.h"

#include "raster/BitBlt.h"
#include "raster/Drawing.h"
#include "raster/PictureCopies.h"

#include <QFontMetrics>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {
constexpr OleColor kMagenta = 0x00FF00FF;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

Surface colourSurface(const QSize& size, OleColor back = 0x00FFFFFF) {
    Surface surface;
    surface.setPalette(rasterPalette());
    surface.setBackColor(back);
    surface.resize(size);
    return surface;
}

QStringList pixelMap(const Surface& surface) {
    QStringList rows;
    for (int y = 0; y < surface.height(); ++y) {
        QString row;
        for (int x = 0; x < surface.width(); ++x)
            row += roleLetter(*surface.pixel({x, y}));
        rows << row;
    }
    return rows;
}

QRgb at(const Surface& surface, int x, int y) {
    return surface.pixel({x, y}).value_or(0);
}

Surface row(std::initializer_list<QRgb> pixels) {
    Surface surface = colourSurface(QSize(int(pixels.size()), 1));
    int x = 0;
    for (QRgb pixel : pixels)
        surface.setPixel(x++, 0, pixel);
    return surface;
}

// The ink of `text` drawn alone in `flags` on a white surface, as a set of points.
QList<QPoint> ink(const QString& text, unsigned flags, const QSize& size = QSize(60, 20)) {
    Surface surface = colourSurface(size);
    surface.setFont(captionFont());
    surface.setTextColor(0x00000000);
    drawStateText(surface, QPoint(2, 2), text, flags);
    QList<QPoint> points;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (at(surface, x, y) != kWhite)
                points << QPoint(x, y);
    return points;
}
} // namespace

class tst_RasterLayer : public QObject {
    Q_OBJECT

private slots:
    void edges_data();
    void edges();
    void adjustShrinksByTheBordersDrawn();

    void colourToMonoMatchesSourceBackground();
    void monoToColourTakesTargetColours();
    void operations_data();
    void operations();
    void monoOperations();
    void copiesClipToBothSurfaces();
    void copyWithinOneSurfaceReadsOldPixels();
    void failedCopiesLeaveTargetAlone();

    void focusRectXorsTextAndBackgroundChecker_data();
    void focusRectXorsTextAndBackgroundChecker();
    void focusRectTwiceRestores();
    void focusRectOffSurfaceIsClippedNotMoved();

    void prefix_data();
    void prefix();
    void doubledAmpersandDrawsOne();
    void accessKeyIsUnderlined();
    void measureCountsEveryAmpersand();
    void disabledTextIsEmbossed();
    void rightToLeftReordersNeutralCharacters();

    void copyMaskTakesTargetColours();
    void transparentKeyOffTheSourceLeavesNothingOut();
    void copyTransparentReportsFailure();
};

void tst_RasterLayer::edges_data() {
    QTest::addColumn<unsigned>("edge");
    QTest::addColumn<unsigned>("flags");
    QTest::addColumn<QStringList>("map");
    // A 5 x 4 rectangle at (1, 1) on 7 x 6 pixels: nothing may leak outside.
    // Raised: outer 3-D light / dark shadow, inner highlight / button shadow;
    // sunken: outer button shadow / highlight, inner dark shadow / 3-D light.
    auto add = [](const char* name, unsigned edge, unsigned flags, const char* row1,
                  const char* row2, const char* row3, const char* row4) {
        QTest::newRow(name) << edge << flags
                            << QStringList{".......", row1, row2, row3, row4, "......."};
    };
    add("raised", EDGE_RAISED, BF_RECT, ".LLLLD.", ".LHHSD.", ".LSSSD.", ".DDDDD.");
    add("sunken", EDGE_SUNKEN, BF_RECT, ".SSSSH.", ".SDDLH.", ".SLLLH.", ".HHHHH.");
    // A border alone is drawn on the rectangle's own outline.
    add("raised outer", BDR_RAISEDOUTER, BF_RECT, ".LLLLD.", ".L...D.", ".L...D.", ".DDDDD.");
    add("sunken outer", BDR_SUNKENOUTER, BF_RECT, ".SSSSH.", ".S...H.", ".S...H.", ".HHHHH.");
    add("raised inner", BDR_RAISEDINNER, BF_RECT, ".HHHHS.", ".H...S.", ".H...S.", ".SSSSS.");
    add("sunken inner", BDR_SUNKENINNER, BF_RECT, ".DDDDL.", ".D...L.", ".D...L.", ".LLLLL.");
    add("mono frame", BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_MONO, ".KKKKK.", ".K...K.",
        ".K...K.", ".KKKKK.");
    add("mono raised", EDGE_RAISED, BF_RECT | BF_MONO, ".KKKKK.", ".KWWWK.", ".KWWWK.", ".KKKKK.");
    add("flat sunken outer", BDR_SUNKENOUTER, BF_RECT | BF_FLAT, ".SSSSS.", ".S...S.", ".S...S.",
        ".SSSSS.");
    add("flat raised", EDGE_RAISED, BF_RECT | BF_FLAT, ".SSSSS.", ".SFFFS.", ".SFFFS.", ".SSSSS.");
    add("top and left only", EDGE_RAISED, BF_TOP | BF_LEFT, ".LLLLL.", ".LHHHH.", ".LH....",
        ".LH....");
    add("bottom and right only", EDGE_SUNKEN, BF_BOTTOM | BF_RIGHT, "....LH.", "....LH.", ".LLLLH.",
        ".HHHHH.");
}

void tst_RasterLayer::edges() {
    QFETCH(unsigned, edge);
    QFETCH(unsigned, flags);
    QFETCH(QStringList, map);
    Surface surface = colourSurface(QSize(7, 6), kMagenta);
    QRect rect(1, 1, 5, 4);
    QVERIFY(drawEdge(surface, rect, edge, flags));
    QCOMPARE(pixelMap(surface), map);
    QCOMPARE(rect, QRect(1, 1, 5, 4)); // no BF_ADJUST: the rectangle stays
}

void tst_RasterLayer::adjustShrinksByTheBordersDrawn() {
    Surface surface = colourSurface(QSize(10, 8));
    QRect both(0, 0, 10, 8);
    drawEdge(surface, both, EDGE_RAISED, BF_RECT | BF_ADJUST);
    QCOMPARE(both, QRect(2, 2, 6, 4));
    QRect outer(0, 0, 10, 8);
    drawEdge(surface, outer, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | BF_MONO);
    QCOMPARE(outer, QRect(1, 1, 8, 6));
    QRect sides(0, 0, 10, 8);
    drawEdge(surface, sides, BDR_SUNKENOUTER, BF_LEFT | BF_BOTTOM | BF_ADJUST);
    QCOMPARE(sides, QRect(1, 0, 9, 7));
    Surface empty;
    QRect none(0, 0, 10, 8);
    QVERIFY(!drawEdge(empty, none, EDGE_RAISED, BF_RECT | BF_ADJUST));
    QCOMPARE(none, QRect(0, 0, 10, 8));
}

void tst_RasterLayer::colourToMonoMatchesSourceBackground() {
    Surface source = row({0xFFFF0000, 0xFF00FF00, 0xFFFF0000, kWhite});
    source.setBackColor(0x000000FF); // red
    Surface mask(QSize(4, 1), Surface::Depth::Mono);
    QVERIFY(bitBlt(mask, 0, 0, 4, 1, source, 0, 0, SRCCOPY));
    QCOMPARE(at(mask, 0, 0), kWhite);
    QCOMPARE(at(mask, 1, 0), kBlack);
    QCOMPARE(at(mask, 2, 0), kWhite);
    QCOMPARE(at(mask, 3, 0), kBlack); // white is not special, only the background is
}

void tst_RasterLayer::monoToColourTakesTargetColours() {
    Surface mask(QSize(2, 1), Surface::Depth::Mono);
    mask.setPixel(0, 0, kWhite);
    mask.setPixel(1, 0, kBlack);
    mask.setBackColor(0x00112233);
    mask.setTextColor(0x00445566);
    Surface target = colourSurface(QSize(2, 1));
    target.setBackColor(0x001E140A); // rgb(10, 20, 30)
    target.setTextColor(0x003C3228); // rgb(40, 50, 60)
    QVERIFY(bitBlt(target, 0, 0, 2, 1, mask, 0, 0, SRCCOPY));
    QCOMPARE(at(target, 0, 0), qRgb(10, 20, 30));
    QCOMPARE(at(target, 1, 0), qRgb(40, 50, 60));
}

void tst_RasterLayer::operations_data() {
    QTest::addColumn<quint32>("op");
    QTest::addColumn<QRgb>("target");
    QTest::addColumn<QRgb>("source");
    QTest::addColumn<QRgb>("expected");
    const QRgb d = qRgb(0xF0, 0x0F, 0x33);
    const QRgb s = qRgb(0x3C, 0xFF, 0x55);
    QTest::newRow("copy") << quint32(SRCCOPY) << d << s << s;
    QTest::newRow("not copy") << quint32(NOTSRCCOPY) << d << s << qRgb(0xC3, 0x00, 0xAA);
    QTest::newRow("and") << quint32(SRCAND) << d << s << qRgb(0x30, 0x0F, 0x11);
    QTest::newRow("invert") << quint32(SRCINVERT) << d << s << qRgb(0xCC, 0xF0, 0x66);
}

void tst_RasterLayer::operations() {
    QFETCH(quint32, op);
    QFETCH(QRgb, target);
    QFETCH(QRgb, source);
    QFETCH(QRgb, expected);
    Surface to = row({target});
    const Surface from = row({source});
    QVERIFY(bitBlt(to, 0, 0, 1, 1, from, 0, 0, RasterOp(op)));
    QCOMPARE(at(to, 0, 0), expected);
}

void tst_RasterLayer::monoOperations() {
    Surface ones(QSize(9, 1), Surface::Depth::Mono); // white background: all 1
    Surface mask(QSize(9, 1), Surface::Depth::Mono);
    mask.setPixel(8, 0, kBlack); // crosses a byte boundary
    QVERIFY(bitBlt(mask, 0, 0, 9, 1, mask, 0, 0, NOTSRCCOPY));
    QCOMPARE(at(mask, 0, 0), kBlack);
    QCOMPARE(at(mask, 8, 0), kWhite);
    QVERIFY(bitBlt(ones, 0, 0, 9, 1, mask, 0, 0, SRCAND));
    QCOMPARE(at(ones, 7, 0), kBlack);
    QCOMPARE(at(ones, 8, 0), kWhite);
}

void tst_RasterLayer::copiesClipToBothSurfaces() {
    Surface target = colourSurface(QSize(4, 4));
    Surface source = colourSurface(QSize(4, 4), 0x00000000);
    source.setPixel(3, 3, qRgb(1, 2, 3));
    QVERIFY(bitBlt(target, -2, -2, 4, 4, source, 0, 0, SRCCOPY));
    QCOMPARE(at(target, 1, 1), qRgb(1, 2, 3)); // source (3, 3) lands at (1, 1)
    QCOMPARE(at(target, 0, 0), kBlack);
    QCOMPARE(at(target, 2, 0), kWhite);
    QCOMPARE(at(target, 0, 2), kWhite);
    QVERIFY(bitBlt(target, 2, 2, 4, 4, source, 2, 2, SRCCOPY));
    QCOMPARE(at(target, 2, 2), kBlack);
    QCOMPARE(at(target, 3, 3), qRgb(1, 2, 3));
}

void tst_RasterLayer::copyWithinOneSurfaceReadsOldPixels() {
    Surface surface = row({qRgb(1, 0, 0), qRgb(2, 0, 0), qRgb(3, 0, 0), qRgb(4, 0, 0)});
    QVERIFY(bitBlt(surface, 1, 0, 3, 1, surface, 0, 0, SRCCOPY));
    QCOMPARE(at(surface, 1, 0), qRgb(1, 0, 0));
    QCOMPARE(at(surface, 2, 0), qRgb(2, 0, 0));
    QCOMPARE(at(surface, 3, 0), qRgb(3, 0, 0));
}

void tst_RasterLayer::failedCopiesLeaveTargetAlone() {
    Surface target = colourSurface(QSize(2, 2));
    const Surface none;
    QVERIFY(!bitBlt(target, 0, 0, 2, 2, none, 0, 0, SRCCOPY));
    const Surface black = colourSurface(QSize(2, 2), 0x00000000);
    QVERIFY(!bitBlt(target, 0, 0, 2, 2, black, 0, 0, RasterOp(0x00EE0086)));
    QCOMPARE(at(target, 0, 0), kWhite);
}

void tst_RasterLayer::focusRectXorsTextAndBackgroundChecker_data() {
    QTest::addColumn<quint32>("back");
    QTest::addColumn<quint32>("text");
    QTest::addColumn<QRgb>("under");
    QTest::addColumn<QRgb>("dot"); // under ^ background, where x + y is even
    QTest::addColumn<QRgb>("gap"); // under ^ text colour, where x + y is odd
    const QRgb grey = qRgb(0xC0, 0xC0, 0xC0);
    QTest::newRow("black on white") << 0x00FFFFFFu << 0u << kWhite << kBlack << kWhite;
    QTest::newRow("black on its own background") << 0x00C0C0C0u << 0u << grey << kBlack << grey;
    QTest::newRow("black on another colour")
        << 0x00C0C0C0u << 0u << kWhite << qRgb(0x3F, 0x3F, 0x3F) << kWhite;
    QTest::newRow("coloured") << 0x00336699u << 0x00102030u << qRgb(0x0F, 0xF0, 0x55)
                              << qRgb(0x96, 0x96, 0x66) << qRgb(0x3F, 0xD0, 0x45);
}

void tst_RasterLayer::focusRectXorsTextAndBackgroundChecker() {
    QFETCH(quint32, back);
    QFETCH(quint32, text);
    QFETCH(QRgb, under);
    QFETCH(QRgb, dot);
    QFETCH(QRgb, gap);
    Surface surface = colourSurface(QSize(10, 8), back);
    surface.setTextColor(text);
    surface.fillRect(surface.rect(), under);
    const QRect rect(2, 2, 6, 4);
    drawFocusRect(surface, rect);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool outline = rect.contains(x, y) && (x == rect.left() || x == rect.right() ||
                                                         y == rect.top() || y == rect.bottom());
            const QRgb expected = !outline ? under : (x + y) % 2 == 0 ? dot : gap;
            QVERIFY2(at(surface, x, y) == expected,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
}

void tst_RasterLayer::focusRectTwiceRestores() {
    Surface surface = colourSurface(QSize(9, 7), 0x00336699);
    surface.setTextColor(0x00102030);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x)
            surface.setPixel(x, y, qRgb(x * 20, y * 30, 77));
    const QImage before = surface.image().copy();
    for (const QRect& rect : {QRect(1, 1, 7, 5), QRect(3, 3, 1, 1), QRect(0, 2, 9, 1)}) {
        drawFocusRect(surface, rect);
        QVERIFY(surface.image() != before);
        drawFocusRect(surface, rect);
        QCOMPARE(surface.image(), before);
    }
}

void tst_RasterLayer::focusRectOffSurfaceIsClippedNotMoved() {
    Surface surface = colourSurface(QSize(6, 6));
    drawFocusRect(surface, QRect(-3, -3, 6, 6)); // right column x = 2, bottom row y = 2
    QCOMPARE(at(surface, 0, 0), kWhite);
    QCOMPARE(at(surface, 2, 0), kBlack);
    QCOMPARE(at(surface, 0, 2), kBlack);
    QCOMPARE(at(surface, 1, 2), kWhite);
    QCOMPARE(at(surface, 3, 3), kWhite);
}

void tst_RasterLayer::prefix_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QList<int>>("underlined");
    QTest::newRow("access key") << "&Load"
                                << "Load" << QList<int>{0};
    QTest::newRow("doubled") << "Q&&A"
                             << "Q&A" << QList<int>{};
    QTest::newRow("doubled then key") << "&&&x"
                                      << "&x" << QList<int>{1};
    QTest::newRow("two keys") << "&a&b"
                              << "ab" << QList<int>{0, 1};
    QTest::newRow("final ampersand") << "end&"
                                     << "end" << QList<int>{};
    QTest::newRow("empty") << ""
                           << "" << QList<int>{};
}

void tst_RasterLayer::prefix() {
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(QList<int>, underlined);
    const PrefixText parsed = parsePrefix(stored);
    QCOMPARE(parsed.shown, shown);
    QCOMPARE(parsed.underlined, underlined);
}

void tst_RasterLayer::doubledAmpersandDrawsOne() {
    QCOMPARE(ink(QStringLiteral("a&&b"), DST_PREFIXTEXT), ink(QStringLiteral("a&b"), 0));
    QVERIFY(ink(QStringLiteral("a&&b"), 0) != ink(QStringLiteral("a&b"), 0));
}

void tst_RasterLayer::accessKeyIsUnderlined() {
    const QList<QPoint> plain = ink(QStringLiteral("x"), 0);
    const QList<QPoint> keyed = ink(QStringLiteral("&x"), DST_PREFIXTEXT);
    QVERIFY(!plain.isEmpty());
    for (const QPoint& point : plain)
        QVERIFY(keyed.contains(point));
    const QFontMetrics metrics(measuredFont());
    const int underline = 2 + metrics.ascent() + std::max(1, metrics.underlinePos());
    for (int x = 2; x < 2 + metrics.horizontalAdvance(u'x'); ++x)
        QVERIFY2(keyed.contains(QPoint(x, underline)), qPrintable(QString::number(x)));
    for (const QPoint& point : keyed)
        QVERIFY(plain.contains(point) || point.y() == underline);
}

void tst_RasterLayer::measureCountsEveryAmpersand() {
    Surface surface = colourSurface(QSize(1, 1));
    surface.setFont(captionFont());
    const QFontMetrics metrics(measuredFont());
    const QSize size = surface.text().measure(QStringLiteral("&&Load"));
    QCOMPARE(size, QSize(metrics.horizontalAdvance(QStringLiteral("&&Load")), metrics.height()));
    QVERIFY(size.width() > surface.text().measure(QStringLiteral("&Load")).width());
}

void tst_RasterLayer::disabledTextIsEmbossed() {
    const QList<QPoint> plain = ink(QStringLiteral("Hi"), 0);
    Surface surface = colourSurface(QSize(60, 20), kMagenta);
    surface.setFont(captionFont());
    surface.setTextColor(0x000000FF);
    drawStateText(surface, QPoint(2, 2), QStringLiteral("Hi"), DSS_DISABLED);
    int highlights = 0;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x) {
            const QPoint point(x, y);
            const QRgb pixel = at(surface, x, y);
            if (plain.contains(point)) {
                QCOMPARE(pixel, kShadow); // shadow on top, at the origin
            } else if (plain.contains(point - QPoint(1, 1))) {
                QCOMPARE(pixel, kHighlight); // highlight under it, at (1, 1)
                ++highlights;
            } else {
                QCOMPARE(pixel, qRgb(255, 0, 255));
            }
        }
    QVERIFY(highlights > 0);
}

void tst_RasterLayer::rightToLeftReordersNeutralCharacters() {
    // A full stop after Latin letters goes to the left in a right-to-left run.
    const QList<QPoint> leftToRight = ink(QStringLiteral("ab."), 0);
    const QList<QPoint> rightToLeft = ink(QStringLiteral("ab."), DSS_RIGHT);
    QCOMPARE(rightToLeft.size(), leftToRight.size());
    QVERIFY(rightToLeft != leftToRight);
    const auto leftmost = [](const QList<QPoint>& points) {
        return std::min_element(points.begin(), points.end(),
                                [](QPoint a, QPoint b) { return a.x() < b.x(); })
            ->y();
    };
    // The leftmost ink is a letter's stem from left to right, the stop's dot otherwise.
    QVERIFY(leftmost(rightToLeft) > leftmost(leftToRight));
}

void tst_RasterLayer::copyMaskTakesTargetColours() {
    Surface source = row({qRgb(9, 9, 9), qRgb(50, 60, 70), qRgb(9, 9, 9)});
    source.setBackColor(0x00000000);
    Surface target = colourSurface(QSize(3, 1));
    target.setBackColor(kColorButtonFace);
    target.setTextColor(kColorButtonText);
    QVERIFY(CopyMask(source, target, kKeyFromSource, 0, 0, 0, 0, -1, -1));
    QCOMPARE(at(target, 0, 0), kFace);
    QCOMPARE(at(target, 1, 0), kButtonText);
    QCOMPARE(at(target, 2, 0), kFace);
    QCOMPARE(source.backColor(), OleColor(0)); // the key was not left on the source
    QVERIFY(CopyMask(source, target, 0x00463C32, 0, 0, 0, 0, 3, 1)); // rgb(50, 60, 70)
    QCOMPARE(at(target, 0, 0), kButtonText);
    QCOMPARE(at(target, 1, 0), kFace);
}

void tst_RasterLayer::transparentKeyOffTheSourceLeavesNothingOut() {
    // Key -1 reads the source at (1, 1); a 1-pixel source has no such pixel.
    const Surface source = row({qRgb(0, 0, 255)});
    Surface target = colourSurface(QSize(2, 2));
    DrawTransparent(target, source, QPoint(1, 1), QPoint(0, 0), 1, 1, kKeyFromSource);
    QCOMPARE(at(target, 1, 1), qRgb(0, 0, 255));
    QCOMPARE(at(target, 0, 0), kWhite);
}

void tst_RasterLayer::copyTransparentReportsFailure() {
    Surface target = colourSurface(QSize(2, 2));
    QVERIFY(!CopyTransparent(Surface(), target, kKeyFromSource, 0, 0, 0, 0, 2, 2));
    QCOMPARE(at(target, 0, 0), kWhite);
    const Surface source = row({qRgb(1, 1, 1), qRgb(2, 2, 2)});
    QVERIFY(CopyTransparent(source, target, kKeyFromSource, 0, 1, 0, 0, -1, -1));
    QCOMPARE(at(target, 0, 1), kWhite); // the key, from the source's (0, 0)
    QCOMPARE(at(target, 1, 1), qRgb(2, 2, 2));
}

QTEST_MAIN(tst_RasterLayer)
#include "tst_RasterLayer.moc"
