#include "FakeBrowser.h"
#include "MessageBoxRecorder.h"
#include "ProcessMemory.h"
#include "ReaderScreens.h"
#include "ScriptedHttpServer.h"
#include "TestEnvironment.h"
#include "TestImages.h"
#include "WaitUntil.h"

#include "guides/GuideGlobals.h"
#include "videos/VideoGlobals.h"
#include "videos/frmPlayVideos.h"

#include <QPointer>
#include <QTest>

#include <algorithm>
#include <malloc.h>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr int kRounds = 25;
constexpr int kPages = 100;
constexpr int kPlayerOpeningsPerFetch = 4;
const QByteArray kCoderIndex = "/guidesdisplayVelmora/demo/testdoc.txt";
const QByteArray kBuyerIndex = "/guidesdisplayVelmora/demo/testdoc2.txt";

// Resident memory in KiB, after giving freed heap back to the system so
// that what is counted is what is still held.
qint64 residentKiB() {
    malloc_trim(0);
    return ProcessMemory().residentKb();
}

QList<QByteArray> pages(int width) {
    QList<QByteArray> result;
    for (int page = 0; page < kPages; ++page)
        result << encodedImage(QSize(width + page, 800));
    return result;
}

} // namespace

/// Many fetches, guide switches and player windows in one run: what a
/// round holds must be given back by the next.
class tst_Soak : public QObject {
    Q_OBJECT
private slots:
    void memoryStaysFlatOverFiftyFetchesAndTwoHundredPlayers() {
        // Big buffers (decoded pages, page bodies) in mappings of their own
        // that go back to the system when freed: a fixed threshold stops
        // the allocator from moving them into the heap, where freed pages
        // stay resident and blur the figure by a few megabytes.
        mallopt(M_MMAP_THRESHOLD, 128 * 1024);
        g_CoderFetched = false;
        g_BuyerFetched = false;
        MessageBoxRecorder boxes;
        FakeBrowserFactory browsers;
        ScriptedHttpServer server;
        QVERIFY(server.listen());
        server.addGuide(kCoderIndex, pages(600));
        server.addGuide(kBuyerIndex, pages(700));
        server.releaseAll();
        ReaderScreens screens(server.hostPort());

        // A round fetches each guide once, so both stores are full from
        // the end of the first round on.
        qint64 afterFirstRound = 0;
        for (int round = 0; round < kRounds; ++round) {
            for (const GuideType type : {GuideType::Coder, GuideType::Buyer}) {
                fetch(screens, type, round);
                for (int opening = 0; opening < kPlayerOpeningsPerFetch; ++opening)
                    openAndClosePlayer(type == GuideType::Coder ? "Coder" : "Buyer");
                if (QTest::currentTestFailed())
                    return;
            }
            if (round == 0)
                afterFirstRound = settledResidentKiB(screens);
        }
        const qint64 atEnd = settledResidentKiB(screens);
        QCOMPARE(int(server.requestedPaths().size()), 2 * kRounds * (kPages + 1));
        QCOMPARE(int(browsers.created.size()), 2 * kRounds * kPlayerOpeningsPerFetch);
        QVERIFY(std::all_of(browsers.created.cbegin(), browsers.created.cend(),
                            [](const QPointer<FakeBrowser>& browser) { return browser.isNull(); }));
        QCOMPARE(boxes.count(), 0);
        qInfo("resident memory: %lld KiB after the first round, %lld KiB after %d fetches and "
              "%d player windows",
              afterFirstRound, atEnd, 2 * kRounds, 2 * kRounds * kPlayerOpeningsPerFetch);
        // The sanitizer's quarantine holds freed memory on purpose; its
        // leak checker judges that build instead.
        if (!kSanitized)
            QVERIFY2(atEnd * 10 <= afterFirstRound * 11, "resident memory grew by more than 10 %");
    }

private:
    // One whole fetch of `type`: back to the selection screen, the other
    // guide chosen, Load, and "&Reload" when the guide was fetched before.
    void fetch(ReaderScreens& screens, GuideType type, int round) {
        const QString name = type == GuideType::Coder ? "Coder" : "Buyer";
        screens.click("ButtonEx13");
        screens.selectGuide(name);
        const bool fetchedBefore = type == GuideType::Coder ? g_CoderFetched : g_BuyerFetched;
        QVERIFY(screens.click("ButtonEx12"));
        if (fetchedBefore)
            QVERIFY(screens.click("cmdReload"));
        QVERIFY2(waitUntil(
                     [&] {
                         return screens.reader().pages(type).count() == kPages &&
                                !screens.fetchDisplayShown();
                     },
                     30000),
                 qPrintable(QStringLiteral("fetch of round %1: %2 pages, display %3")
                                .arg(round)
                                .arg(screens.reader().pages(type).count())
                                .arg(screens.fetchDisplayShown())));
        // Turn a few pages, so decoded pages come and go as well.
        QVERIFY(screens.click("cmdNextPage"));
        QVERIFY(screens.click("cmdLastPage"));
        QCOMPARE(screens.pageLabel(), QStringLiteral("Page %1/%1").arg(kPages));
    }

    // Measured without the decoded pages on screen: the cache bounds them
    // itself, and whether a worker thread's decode has landed yet would
    // move the figure by a page or two.
    qint64 settledResidentKiB(ReaderScreens& screens) {
        DecodedPageCache& cache = screens.reader().decodedPages();
        if (!waitUntil([&] { return cache.pendingCount() == 0; }, 10000))
            qWarning("page decodes still pending");
        cache.keep({});
        return residentKiB();
    }

    void openAndClosePlayer(const char* kind) {
        g_SelectedVideoName = QStringLiteral("Posting a project");
        QPointer<frmPlayVideos> player =
            new frmPlayVideos(QLatin1String(kind), QStringLiteral("127.0.0.1:9"));
        player->setAttribute(Qt::WA_DeleteOnClose);
        player->show();
        QVERIFY(QTest::qWaitForWindowExposed(player));
        player->ButtonEx9_Click();
        QTRY_VERIFY(player.isNull());
    }
};

QTEST_MAIN(tst_Soak)
#include "tst_Soak.moc"
