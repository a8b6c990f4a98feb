#include "Picture.h"

#include "TestImages.h"

#include <QTest>

using namespace velmora;
using velmora::test::encodedImage;

namespace {

// A JPEG whose frame header declares `width` x `height`, whatever its data.
QByteArray withDeclaredSize(QByteArray jpeg, quint16 width, quint16 height) {
    const qsizetype frame = jpeg.indexOf("\xff\xc0");
    Q_ASSERT(frame > 0);
    // marker (2), segment length (2), precision (1), then height and width
    jpeg[frame + 5] = char(height >> 8);
    jpeg[frame + 6] = char(height & 0xff);
    jpeg[frame + 7] = char(width >> 8);
    jpeg[frame + 8] = char(width & 0xff);
    return jpeg;
}

} // namespace

class tst_Picture : public QObject {
    Q_OBJECT

private slots:
    void readable_data();
    void readable();
    void unreadable_data();
    void unreadable();
    void sharesBytesWithoutCopy();
    void decodesOnDemand();
};

void tst_Picture::readable_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::newRow("jpeg-a4") << encodedImage({1240, 1754}, "JPEG") << QSize(1240, 1754);
    QTest::newRow("jpeg-tiny") << encodedImage({1, 1}, "JPEG") << QSize(1, 1);
    QTest::newRow("png") << encodedImage({33, 7}, "PNG") << QSize(33, 7);
    QTest::newRow("bmp") << encodedImage({20, 10}, "BMP") << QSize(20, 10);
}

void tst_Picture::readable() {
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    const Picture picture = PictureFromBytes(bytes);
    QVERIFY(!picture.isEmpty());
    QCOMPARE(picture.size(), size);
}

void tst_Picture::unreadable_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("html-error-page")
        << QByteArray("<html><head><title>404 Not Found</title></head><body>404</body></html>");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("jpeg-marker-only") << QByteArray("\xff\xd8\xff");
    QTest::newRow("gigantic-declared-size")
        << withDeclaredSize(encodedImage({16, 16}, "JPEG"), 65500, 65500);
    QTest::newRow("zero-declared-size") << withDeclaredSize(encodedImage({16, 16}, "JPEG"), 0, 0);
}

void tst_Picture::unreadable() {
    QFETCH(QByteArray, bytes);
    const Picture picture = PictureFromBytes(bytes);
    QVERIFY(picture.isEmpty());
    QVERIFY(!picture.size().isValid());
    QVERIFY(picture.toImage().isNull());
}

void tst_Picture::sharesBytesWithoutCopy() {
    const QByteArray bytes = encodedImage({64, 48}, "JPEG");
    const Picture picture = PictureFromBytes(bytes);
    const Picture copy = picture;
    QVERIFY(copy.isSameAs(picture));
    QCOMPARE(picture.bytes().constData(), bytes.constData());
    QVERIFY(!PictureFromBytes(bytes).isSameAs(picture));
}

void tst_Picture::decodesOnDemand() {
    const Picture picture = PictureFromBytes(encodedImage({120, 80}, "JPEG"));
    const QImage image = picture.toImage();
    QCOMPARE(image.size(), QSize(120, 80));
    // JPEG is lossy: near the fill colour is what matters.
    QVERIFY(qAbs(image.pixelColor(60, 40).green() - QColor(Qt::darkCyan).green()) < 8);
}

QTEST_APPLESS_MAIN(tst_Picture)
#include "tst_Picture.moc"
