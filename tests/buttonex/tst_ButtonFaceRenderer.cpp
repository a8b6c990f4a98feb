#include "RasterTestPalette.h"

#include "ButtonFaceRenderer.h"
#include "raster/Surface.h"

#include <QFontMetrics>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {
constexpr QSize kFaceSize(80, 24);
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kYellow = 0xFFFFFF00;
constexpr QRgb kBlack = 0xFF000000;
constexpr OleColor kCaptionColour = 0x00008000; // rgb(0, 128, 0)

FaceProperties buttonProperties() {
    FaceProperties p;
    p.appearance = 1;
    p.backColor = kColorButtonFace;
    p.foreColor = kCaptionColour;
    p.highlightColor = kCaptionColour;
    p.transparentColor = 0x00FF0000;
    p.font = captionFont();
    p.enabled = true;
    return p;
}

struct Painted {
    QImage face;
    QPoint picture;
};

Painted paint(int state, const FaceProperties& p, bool frame = false, bool running = true,
              QSize size = kFaceSize) {
    ButtonFaceRenderer renderer;
    renderer.setPalette(rasterPalette());
    renderer.resize(size);
    const bool painted = renderer.redraw(state, p, FaceContext{frame, running});
    Q_ASSERT(painted);
    return {renderer.face(), renderer.picturePosition()};
}

QChar letter(const QImage& face, int x, int y) {
    return roleLetter(face.pixel(x, y));
}

// A picture of `size` in `background` with `figure` pixels at the points given.
QImage picture(QSize size, QRgb background, const QList<QPoint>& points = {}, QRgb figure = kRed) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    for (const QPoint& point : points)
        image.setPixel(point, figure);
    return image;
}

// The bounding box of the pixels of `colour`.
QRect inkBox(const QImage& face, QRgb colour) {
    QRect box;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            if (face.pixel(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

QRgb captionRgb() {
    return qRgb(0, 128, 0);
}

// Where the caption's ink starts when `text` is drawn from `origin` alone.
QPoint inkOffset(const QString& text) {
    Surface surface(QSize(100, 30));
    surface.setFont(captionFont());
    const QImage& mask = surface.text().mask(text, true, false);
    QRect box;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.constScanLine(y)[x])
                box |= QRect(x, y, 1, 1);
    return box.topLeft();
}

QSize measured(const QString& text) {
    Surface surface;
    surface.setFont(captionFont());
    return surface.text().measure(text);
}
} // namespace

class tst_ButtonFaceRenderer : public QObject {
    Q_OBJECT

private slots:
    void edgesByState_data();
    void edgesByState();
    void focusRectOnlyWhenRunning();
    void focusRectIsBlackCheckerOnBackColour_data();
    void focusRectIsBlackCheckerOnBackColour();
    void pressedMovesCaptionAndPicture();
    void picturePlace_data();
    void picturePlace();
    void tallPictureIsCutAtTheBottom();
    void captionCentring_data();
    void captionCentring();
    void disabledCaptionIsEmbossed();
    void transparentColourIsLeftOut();
    void keyFromPictureTakesPixelOneOne();
    void silhouetteIsColourXorButtonText();
    void silhouetteOfOneColourPictureIsEmpty();
    void disabledSilhouetteIsGreyTextOnlyWhenHighlighting();
    void textColourGoesBackToForeColour();
    void translucentPictureShowsBackColour();
    void paletteChangeReachesThePictureHolder();
};

void tst_ButtonFaceRenderer::edgesByState_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("appearance");
    QTest::addColumn<bool>("frame");
    // Letters along the diagonal from the top-left corner and from the
    // bottom-right corner, three pixels each, then whether the focus
    // rectangle's corner pixel (4, 4) carries a dot.  Raised: 3-D light
    // outside the highlight, dark shadow outside the button shadow; the
    // frame is one pixel of the window-frame colour (K) around the edge.
    QTest::addColumn<QString>("topLeft");
    QTest::addColumn<QString>("bottomRight");
    QTest::addColumn<bool>("focus");
    QTest::newRow("normal") << int(Normal) << 1 << false << "LHF"
                            << "DSF" << false;
    QTest::newRow("normal framed") << int(Normal) << 1 << true << "KLH"
                                   << "KDS" << true;
    QTest::newRow("normal flat") << int(Normal) << 0 << false << "FFF"
                                 << "FFF" << false;
    QTest::newRow("normal flat framed") << int(Normal) << 0 << true << "FFF"
                                        << "FFF" << false;
    QTest::newRow("hover flat") << int(Hover) << 0 << false << "LHF"
                                << "DSF" << false;
    QTest::newRow("hover flat framed") << int(Hover) << 0 << true << "KLH"
                                       << "KDS" << true;
    QTest::newRow("pressed") << int(Pressed) << 1 << false << "SDF"
                             << "HLF" << false;
    // Frame, then one flat line of button shadow, then the face.
    QTest::newRow("pressed framed") << int(Pressed) << 1 << true << "KSF"
                                    << "KSF" << true;
    QTest::newRow("unknown state") << 7 << 1 << true << "FFF"
                                   << "FFF" << true;
}

void tst_ButtonFaceRenderer::edgesByState() {
    QFETCH(int, state);
    QFETCH(int, appearance);
    QFETCH(bool, frame);
    QFETCH(QString, topLeft);
    QFETCH(QString, bottomRight);
    QFETCH(bool, focus);
    FaceProperties p = buttonProperties();
    p.appearance = appearance;
    const QImage face = paint(state, p, frame).face;
    QString fromTop, fromBottom;
    for (int i = 0; i < 3; ++i) {
        fromTop += letter(face, i, i);
        fromBottom += letter(face, 79 - i, 23 - i);
    }
    QCOMPARE(fromTop, topLeft);
    QCOMPARE(fromBottom, bottomRight);
    // A dot is the face exclusive-ored with the background colour, itself
    // the face colour here; the gaps are exclusive-ored with black.
    QCOMPARE(face.pixel(4, 4), focus ? kBlack : kFace);
    QCOMPARE(face.pixel(5, 4), kFace);
}

void tst_ButtonFaceRenderer::focusRectOnlyWhenRunning() {
    const QImage design = paint(Normal, buttonProperties(), true, false).face;
    const QImage running = paint(Normal, buttonProperties(), true, true).face;
    QCOMPARE(design.pixel(4, 4), kFace);
    QCOMPARE(running.pixel(4, 4), kBlack);
    QCOMPARE(running.pixel(75, 19), kBlack); // (w - 4 - 1, h - 4 - 1)
    QCOMPARE(running.pixel(76, 19), kFace);
}

// The checker is black text against the background colour, whatever colour
// the caption was drawn in; a dot lands where x + y is even.
void tst_ButtonFaceRenderer::focusRectIsBlackCheckerOnBackColour_data() {
    QTest::addColumn<int>("state");
    QTest::newRow("normal") << int(Normal);
    QTest::newRow("hover") << int(Hover);
    QTest::newRow("pressed") << int(Pressed);
}

void tst_ButtonFaceRenderer::focusRectIsBlackCheckerOnBackColour() {
    QFETCH(int, state);
    FaceProperties p = buttonProperties();
    p.backColor = 0x00336699; // rgb(0x99, 0x66, 0x33)
    p.highlightColor = 0x000000FF;
    const QImage focused = paint(state, p, true).face;
    const QRgb back = qRgb(0x99, 0x66, 0x33);
    // Along the rectangle's top row and down its left side, clear of the
    // edges: dots are the background exclusive-ored with itself, gaps the
    // background exclusive-ored with black.
    for (int i = 4; i < 12; ++i) {
        QCOMPARE(focused.pixel(i, 4), i % 2 == 0 ? kBlack : back);
        QCOMPARE(focused.pixel(4, i), i % 2 == 0 ? kBlack : back);
    }
    QCOMPARE(focused.pixel(5, 5), back); // inside the rectangle
}

void tst_ButtonFaceRenderer::pressedMovesCaptionAndPicture() {
    FaceProperties p = buttonProperties();
    p.caption = QStringLiteral("Go");
    p.picture = picture(QSize(10, 10), kRed);
    const Painted normal = paint(Normal, p);
    const Painted pressed = paint(Pressed, p);
    QCOMPARE(pressed.picture, normal.picture + QPoint(1, 1));
    const QRect normalInk = inkBox(normal.face, captionRgb());
    QVERIFY(!normalInk.isEmpty());
    QCOMPARE(inkBox(pressed.face, captionRgb()), normalInk.translated(1, 1));
    QCOMPARE(inkBox(pressed.face, kRed), inkBox(normal.face, kRed).translated(1, 1));
}

void tst_ButtonFaceRenderer::picturePlace_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("centred") << QSize(10, 10) << QPoint(6, 7);
    QTest::newRow("odd height") << QSize(10, 11) << QPoint(6, 7);
    QTest::newRow("would rise above 6") << QSize(16, 16) << QPoint(6, 6);
    QTest::newRow("taller than the face") << QSize(32, 32) << QPoint(6, 6);
}

void tst_ButtonFaceRenderer::picturePlace() {
    QFETCH(QSize, size);
    QFETCH(QPoint, place);
    FaceProperties p = buttonProperties();
    p.picture = picture(size, kRed);
    const Painted painted = paint(Normal, p);
    QCOMPARE(painted.picture, place);
    const QRect expected = QRect(place, size) & QRect(QPoint(0, 0), kFaceSize);
    QCOMPARE(inkBox(painted.face, kRed), expected);
}

void tst_ButtonFaceRenderer::tallPictureIsCutAtTheBottom() {
    FaceProperties p = buttonProperties();
    QImage tall = picture(QSize(4, 40), kRed);
    for (int y = 0; y < 40; ++y)
        tall.setPixel(0, y, qRgb(0, 0, y)); // each row tells its number
    p.picture = tall;
    const QImage face = paint(Normal, p).face;
    QCOMPARE(face.pixel(6, 6), qRgb(0, 0, 0));
    QCOMPARE(face.pixel(6, 23), qRgb(0, 0, 17)); // the face's last row shows picture row 17
}

void tst_ButtonFaceRenderer::captionCentring_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("pictureWidth");
    QTest::newRow("no picture") << "Load" << 0;
    QTest::newRow("with picture") << "Load" << 32;
    QTest::newRow("odd picture") << "Load" << 13;
    QTest::newRow("access key") << "&Load" << 0;
}

void tst_ButtonFaceRenderer::captionCentring() {
    QFETCH(QString, caption);
    QFETCH(int, pictureWidth);
    FaceProperties p = buttonProperties();
    p.caption = caption;
    if (pictureWidth)
        p.picture = picture(QSize(pictureWidth, 8), kRed);
    const QImage face = paint(Normal, p).face;
    // Centred between 6 pixels left of the picture's right edge and the
    // face's right edge, measured with every "&".
    const QSize size = measured(caption);
    const int base = pictureWidth ? 6 + pictureWidth - 6 : 0;
    const QPoint origin(base / 2 + 80 / 2 - size.width() / 2, 24 / 2 - size.height() / 2);
    QCOMPARE(inkBox(face, captionRgb()).topLeft(), origin + inkOffset(caption));
    if (caption.startsWith(u'&')) {
        const int centred = 40 - measured(caption.mid(1)).width() / 2;
        QVERIFY(origin.x() < centred); // half an ampersand left of true centre
    }
}

void tst_ButtonFaceRenderer::disabledCaptionIsEmbossed() {
    FaceProperties p = buttonProperties();
    p.caption = QStringLiteral("Off");
    p.enabled = false;
    const QImage face = paint(Normal, p).face;
    QVERIFY(inkBox(face, captionRgb()).isEmpty());
    // The edge uses both colours too; look inside the edges only.
    const QImage inside = face.copy(QRect(3, 3, 74, 18));
    const QRect shadow = inkBox(inside, kShadow);
    QVERIFY(!shadow.isEmpty());
    QCOMPARE(inkBox(inside, kHighlight).bottomRight(), shadow.bottomRight() + QPoint(1, 1));
}

void tst_ButtonFaceRenderer::transparentColourIsLeftOut() {
    FaceProperties p = buttonProperties();
    p.picture = picture(QSize(8, 8), kBlue, {{2, 2}, {5, 6}});
    const QImage face = paint(Normal, p).face;
    const QPoint place(6, 8);
    QCOMPARE(face.pixel(place + QPoint(2, 2)), kRed);
    QCOMPARE(face.pixel(place + QPoint(5, 6)), kRed);
    QCOMPARE(face.pixel(place), kFace);
    QCOMPARE(face.pixel(place + QPoint(7, 7)), kFace);
    p.transparentColor = 0x00000000; // black: nothing of this picture is the key
    QCOMPARE(paint(Normal, p).face.pixel(place), kBlue);
}

void tst_ButtonFaceRenderer::keyFromPictureTakesPixelOneOne() {
    FaceProperties p = buttonProperties();
    QImage image = picture(QSize(8, 8), kYellow, {{0, 0}}, kGreen);
    image.setPixel(3, 3, kRed);
    p.picture = image;
    p.transparentColor = 0xFFFFFFFF;
    const QImage face = paint(Normal, p).face;
    const QPoint place(6, 8);
    QCOMPARE(face.pixel(place), kGreen); // (0, 0) is not the key
    QCOMPARE(face.pixel(place + QPoint(1, 1)), kFace);
    QCOMPARE(face.pixel(place + QPoint(3, 3)), kRed);
}

void tst_ButtonFaceRenderer::silhouetteIsColourXorButtonText() {
    FaceProperties p = buttonProperties();
    p.picture = picture(QSize(8, 8), kGreen, {{3, 3}, {4, 4}}, kYellow);
    p.highlightPicture = true;
    p.highlightColor = 0x000000FF; // red
    const QRgb silhouette = (kRed ^ kButtonText) | 0xFF000000u;
    for (int state : {int(Hover), int(Pressed)}) {
        const Painted painted = paint(state, p);
        QCOMPARE(painted.face.pixel(painted.picture + QPoint(3, 3)), silhouette);
        QCOMPARE(painted.face.pixel(painted.picture + QPoint(4, 4)), silhouette);
        QCOMPARE(painted.face.pixel(painted.picture + QPoint(2, 2)), kFace);
        QCOMPARE(inkBox(painted.face, silhouette),
                 QRect(painted.picture + QPoint(3, 3), QSize(2, 2)));
    }
    // Enabled and Normal: the picture as it is.
    const Painted normal = paint(Normal, p);
    QCOMPARE(normal.face.pixel(normal.picture), kGreen);
    QCOMPARE(normal.face.pixel(normal.picture + QPoint(3, 3)), kYellow);
}

void tst_ButtonFaceRenderer::silhouetteOfOneColourPictureIsEmpty() {
    FaceProperties p = buttonProperties();
    p.highlightPicture = true;
    p.highlightColor = 0x000000FF;
    const QImage bare = paint(Hover, p).face;
    p.picture = picture(QSize(8, 8), kRed);
    const Painted painted = paint(Hover, p);
    QCOMPARE(painted.face.copy(QRect(painted.picture, QSize(8, 8))),
             bare.copy(QRect(painted.picture, QSize(8, 8))));
}

void tst_ButtonFaceRenderer::disabledSilhouetteIsGreyTextOnlyWhenHighlighting() {
    FaceProperties p = buttonProperties();
    p.picture = picture(QSize(8, 8), kGreen, {{3, 3}}, kYellow);
    p.enabled = false;
    p.highlightPicture = true;
    const Painted grey = paint(Normal, p);
    QCOMPARE(grey.face.pixel(grey.picture + QPoint(3, 3)), (kGrayText ^ kButtonText) | 0xFF000000u);
    QCOMPARE(grey.face.pixel(grey.picture), kFace);
    p.highlightPicture = false;
    const Painted plain = paint(Normal, p);
    QCOMPARE(plain.face.pixel(plain.picture + QPoint(3, 3)), kYellow);
    QCOMPARE(plain.face.pixel(plain.picture), kGreen);
}

void tst_ButtonFaceRenderer::textColourGoesBackToForeColour() {
    // One renderer across states: Hover's highlight colour must not stay for Normal.
    FaceProperties p = buttonProperties();
    p.caption = QStringLiteral("Go");
    p.highlightColor = 0x000000FF;
    ButtonFaceRenderer renderer;
    renderer.setPalette(rasterPalette());
    renderer.resize(kFaceSize);
    QVERIFY(renderer.redraw(Hover, p, {}));
    QVERIFY(!inkBox(renderer.face(), kRed).isEmpty());
    QVERIFY(renderer.redraw(Normal, p, {}));
    QVERIFY(inkBox(renderer.face(), kRed).isEmpty());
    QVERIFY(!inkBox(renderer.face(), captionRgb()).isEmpty());
}

void tst_ButtonFaceRenderer::translucentPictureShowsBackColour() {
    FaceProperties p = buttonProperties();
    QImage icon(8, 8, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixel(2, 2, kYellow);
    p.picture = icon;
    p.transparentColor = 0x00000000;
    const Painted painted = paint(Normal, p);
    QCOMPARE(painted.face.pixel(painted.picture + QPoint(2, 2)), kYellow);
    QCOMPARE(painted.face.pixel(painted.picture), kFace); // not black
}

void tst_ButtonFaceRenderer::paletteChangeReachesThePictureHolder() {
    // The holder keeps its pixels between redraws; a new button-face colour
    // must still show through an icon's transparent parts.
    FaceProperties p = buttonProperties();
    QImage icon(8, 8, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    p.picture = icon;
    p.transparentColor = 0x00000000;
    ButtonFaceRenderer renderer;
    renderer.setPalette(rasterPalette());
    renderer.resize(kFaceSize);
    QVERIFY(renderer.redraw(Normal, p, {}));
    QPalette other = rasterPalette();
    other.setColor(QPalette::Button, QColor(10, 200, 30));
    renderer.setPalette(other);
    QVERIFY(renderer.redraw(Normal, p, {}));
    QCOMPARE(renderer.face().pixel(renderer.picturePosition()), qRgb(10, 200, 30));
    QCOMPARE(renderer.face().pixel(40, 2), qRgb(10, 200, 30));
}

QTEST_MAIN(tst_ButtonFaceRenderer)
#include "tst_ButtonFaceRenderer.moc"
