#include "BrokenJpeg.h"
#include "TestImages.h"

#include "guides/core/PageBudget.h"
#include "guides/reader/core/DecodedPageCache.h"

#include <QBuffer>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using namespace velmora;
using namespace velmora::test;

namespace {

Picture page(int width) {
    return PictureFromBytes(encodedImage(QSize(width, 120)));
}

// A page with detail everywhere, so that a wrong region shows.
Picture patternedPage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int y = 0; y < size.height(); y += 16)
        for (int x = 0; x < size.width(); x += 16)
            painter.fillRect(x, y, 16, 16, QColor((x * 7) % 256, (y * 5) % 256, (x + y) % 256));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 100);
    return PictureFromBytes(bytes);
}

int largestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            largest = std::max({largest, qAbs(p.red() - q.red()), qAbs(p.green() - q.green()),
                                qAbs(p.blue() - q.blue())});
        }
    return largest;
}

bool waitForDecoded(QSignalSpy& spy, int count) {
    return QTest::qWaitFor([&] { return spy.count() >= count; }, 10000);
}

} // namespace

class tst_DecodedPageCache : public QObject {
    Q_OBJECT
private slots:
    void holdsNoMoreThanItsCapacity() {
        DecodedPageCache cache;
        QSignalSpy decoded(&cache, &DecodedPageCache::decoded);
        QList<Picture> pages;
        for (int width = 100; width < 160; width += 10)
            pages << page(width);
        cache.keep(pages);
        QCOMPARE(cache.pendingCount() + cache.decodedCount(), cache.capacity());
        QVERIFY(waitForDecoded(decoded, cache.capacity()));
        QCOMPARE(cache.decodedCount(), cache.capacity());
        for (int index = 0; index < pages.size(); ++index)
            QCOMPARE(cache.image(pages.at(index)).width(),
                     index < cache.capacity() ? pages.at(index).width() : 0);
    }

    void keepingOtherPagesLetsTheRestGo() {
        DecodedPageCache cache(3);
        QSignalSpy decoded(&cache, &DecodedPageCache::decoded);
        const Picture a = page(100), b = page(110), c = page(120), d = page(130);
        cache.keep({a, b, c});
        QVERIFY(waitForDecoded(decoded, 3));
        cache.keep({b, d});
        // Still held pages stay at hand; the others are gone at once.
        QVERIFY(!cache.image(b).isNull());
        QVERIFY(cache.image(a).isNull());
        QVERIFY(cache.image(c).isNull());
        QVERIFY(waitForDecoded(decoded, 4));
        QVERIFY(decoded.last().at(0).value<Picture>().isSameAs(d));
        QCOMPARE(cache.decodedCount(), 2);
    }

    void skipsEmptyAndRepeatedPages() {
        DecodedPageCache cache;
        const Picture a = page(100);
        cache.keep({Picture(), a, a, page(110)});
        QCOMPARE(cache.pendingCount() + cache.decodedCount(), 2);
    }

    void droppedPagesAreNeverDelivered() {
        DecodedPageCache cache;
        QSignalSpy decoded(&cache, &DecodedPageCache::decoded);
        const Picture big = PictureFromBytes(encodedImage(QSize(2000, 2000)));
        const Picture small = page(100);
        cache.keep({big});
        cache.keep({small});
        // One worker in order: a result for the big page would come first.
        QVERIFY(waitForDecoded(decoded, 1));
        QTRY_COMPARE(cache.decodedCount(), 1);
        QCOMPARE(decoded.count(), 1);
        QVERIFY(decoded.first().at(0).value<Picture>().isSameAs(small));
        QVERIFY(cache.image(big).isNull());
    }

    void aPageThatDoesNotDecodeIsEmptyFromThenOn() {
        DecodedPageCache cache;
        QSignalSpy decoded(&cache, &DecodedPageCache::decoded);
        const QByteArray bytes = jpegWithoutTables(QSize(90, 60));
        QVERIFY(bytes.size() < encodedImage(QSize(90, 60)).size());
        const Picture broken = PictureFromBytes(bytes);
        const Picture shown = broken;
        QCOMPARE(broken.size(), QSize(90, 60));
        const Picture good = page(100);
        cache.keep({broken, good});
        // One worker in order: the broken page's decode has ended first.
        QVERIFY(waitForDecoded(decoded, 1));
        QVERIFY(decoded.first().at(0).value<Picture>().isSameAs(good));
        // Every copy counts as the empty picture now, and none is pending.
        QVERIFY(shown.isEmpty());
        QCOMPARE(shown.size(), QSize());
        QCOMPARE(cache.pendingCount(), 0);
        cache.keep({broken, good});
        QCOMPARE(cache.pendingCount(), 0);
        QCOMPARE(cache.decodedCount(), 1);
        QVERIFY(DecodedPageCache::decodeRegion(shown, QRect(0, 0, 10, 10)).isNull());
    }

    void destroyedWhileDecoding() {
        // The pages' budget counts every copy of them, the worker's and
        // those in a delivery on its way included.
        PageBudget budget;
        auto cache = std::make_unique<DecodedPageCache>();
        cache->keep({PictureFromBytes(encodedImage(QSize(2000, 2000)), &budget),
                     PictureFromBytes(encodedImage(QSize(2000, 2001)), &budget)});
        QVERIFY(budget.used() > 0);
        cache.reset();
        // The cache waited for its worker: no decode holds a page any more,
        // and nothing it posted outlives the cache.
        QCOMPARE(budget.used(), 0);
        // Whatever is left in the queue runs now; none of it may call into
        // the deleted cache (the sanitizer build sees such a call).
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    void regionDecodeMatchesTheWholePage_data() {
        QTest::addColumn<QRect>("region");
        QTest::newRow("top-left") << QRect(0, 0, 120, 80);
        QTest::newRow("middle-unaligned") << QRect(37, 53, 101, 77);
        QTest::newRow("bottom-right") << QRect(200, 300, 120, 100);
        QTest::newRow("overhanging") << QRect(250, 350, 200, 200);
    }
    void regionDecodeMatchesTheWholePage() {
        QFETCH(QRect, region);
        const Picture picture = patternedPage(QSize(320, 400));
        const QRect onPage = region & QRect(0, 0, 320, 400);
        const QImage part = DecodedPageCache::decodeRegion(picture, region);
        QCOMPARE(part.size(), onPage.size());
        const QImage whole = picture.toImage().copy(onPage);
        QVERIFY(largestDifference(part, whole.convertToFormat(part.format())) <= 16);
    }

    void regionDecodeOfNothing() {
        const Picture picture = page(100);
        QVERIFY(DecodedPageCache::decodeRegion(picture, QRect(500, 500, 10, 10)).isNull());
        QVERIFY(DecodedPageCache::decodeRegion(Picture(), QRect(0, 0, 10, 10)).isNull());
    }
};

QTEST_GUILESS_MAIN(tst_DecodedPageCache)
#include "tst_DecodedPageCache.moc"
