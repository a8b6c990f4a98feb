#include "FakeBrowser.h"
#include "MessageBoxRecorder.h"
#include "ScriptedHttpServer.h"
#include "TestEnvironment.h"
#include "videos/DataGateway.h"
#include "videos/VideoGlobals.h"
#include "videos/VideoSection.h"
#include "videos/frmPlayVideos.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace velmora;
using test::FakeBrowserFactory;
using test::ScriptedHttpServer;

namespace {

const QByteArray kBuyerCategories = "/VelmoraPackage/videobuyer.txt";
const QByteArray kCoderCategories = "/VelmoraPackage/videocoder.txt";
const QByteArray kBuyerVideos = "/VelmoraPackage/demo/videobuyer.txt";
const QByteArray kCoderVideos = "/VelmoraPackage/demo/videocoder.txt";

const QByteArray kBuyerFile = "All[R]Posting a project.swf[C]Choosing a coder.swf[C]"
                              "Paying for milestones.swf[R]Getting started[R]"
                              "Posting a project.swf[R]";
const QByteArray kCoderFile = "All[R]Writing a proposal.swf[C]Fees & payments.swf[R]"
                              "Winning work[R]Writing a proposal.swf[R]";
const QStringList kBuyerNames{"Posting a project", "Choosing a coder", "Paying for milestones"};
const QStringList kCoderNames{"Writing a proposal", "Fees & payments"};

QByteArray ok(const QByteArray& body) {
    return ScriptedHttpServer::response("200 OK", body);
}

} // namespace

class tst_VideoSection : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startUpListsBuyerVideosAfterThreeDownloads();
    void choosingCoderShowsLoadingThenCoderVideos();
    void reactivationKeepsTheListOfTheKindOnShow();
    void choosingAKindAgainRetriesAFailedDownload();
    void kindChosenDuringADownloadWins();
    void failedCategoryDownloadsKeepTheList();
    void failedStartUpLeavesNoLoadingLineBehind();
    void unreachableServerLeavesEmptyListsAndEnabledControls();
    void shortEntriesAreNotShown();
    void floodedListFilesAreCutAtTenThousandEntries();
    void searchMovesTheSelection_data();
    void searchMovesTheSelection();
    void loadWithNothingSelectedAsksThenSelectsTheFirstLine();
    void loadOnAnEmptyListOpensNothing();
    void backToVideosKeepsTheListAndSkipsTheReload();
    void doubleClickPlaysTheVideo();
    void twoVideosUseTwoWindowsAndTwoBrowsers();
    void instructionsExplainTheSection();
    void searchBoxKeepsTheFocusAcrossAReload();
    void layoutFollowsTheDesign();
    void buttonsAreWired();

private:
    void serveAll();
    void startUp() {
        m_section->resetForMainLoad();
        m_section->LoadVideoCategories();
    }
    QStringList lines() const {
        QStringList result;
        for (int row = 0; row < m_list->count(); ++row)
            result << m_list->item(row)->text();
        return result;
    }
    int selectedRow() const {
        const auto selected = m_list->selectedItems();
        return selected.isEmpty() ? -1 : m_list->row(selected.first());
    }
    void chooseKind(const QString& kind) {
        m_kind->setCurrentIndex(m_kind->findText(kind));
        emit m_kind->activated(m_kind->currentIndex());
    }
    /// Runs `check` on the player window once it is open, then closes it
    /// with "Back to videos".
    void whenPlayerOpens(std::function<void(frmPlayVideos*)> check);

    std::unique_ptr<ScriptedHttpServer> m_server;
    std::unique_ptr<QWidget> m_frame;
    std::unique_ptr<QPushButton> m_mainExit;
    std::unique_ptr<VideoSection> m_section;
    std::unique_ptr<MessageBoxRecorder> m_boxes;
    std::unique_ptr<FakeBrowserFactory> m_browsers;
    QComboBox* m_kind = nullptr;
    QListWidget* m_list = nullptr;
    QLineEdit* m_search = nullptr;
    int m_playersSeen = 0;
};

void tst_VideoSection::init() {
    g_SkipVideoReload = false;
    g_SelectedVideoName.clear();
    m_playersSeen = 0;
    m_server = std::make_unique<ScriptedHttpServer>();
    QVERIFY(m_server->listen());
    m_frame = std::make_unique<QWidget>();
    m_frame->resize(893, 679);
    m_mainExit = std::make_unique<QPushButton>("E&xit");
    m_section = std::make_unique<VideoSection>(m_frame.get());
    m_section->setContentServer(m_server->hostPort());
    m_section->setMainExitButton(m_mainExit.get());
    m_boxes = std::make_unique<MessageBoxRecorder>();
    m_browsers = std::make_unique<FakeBrowserFactory>();
    m_kind = m_section->form().control<QComboBox>("cboVidCategories");
    m_list = m_section->form().control<QListWidget>("lstVideos");
    m_search = m_section->form().control<QLineEdit>("txtSearch");
    QVERIFY(m_kind && m_list && m_search);
    m_frame->show();
}

void tst_VideoSection::cleanup() {
    m_section.reset();
    m_frame.reset();
    m_browsers.reset();
    m_boxes.reset();
    m_server.reset();
}

void tst_VideoSection::serveAll() {
    m_server->addReply(kBuyerCategories, ok(kBuyerFile));
    m_server->addReply(kCoderCategories, ok(kCoderFile));
    m_server->addReply(kBuyerVideos, ok(kBuyerFile));
    m_server->addReply(kCoderVideos, ok(kCoderFile));
}

void tst_VideoSection::whenPlayerOpens(std::function<void(frmPlayVideos*)> check) {
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [this, poll, check] {
        auto* player = qobject_cast<frmPlayVideos*>(QApplication::activeModalWidget());
        if (!player || !player->isVisible())
            return;
        poll->deleteLater();
        poll->stop();
        ++m_playersSeen;
        check(player);
        player->ButtonEx9_Click();
    });
    poll->start(10);
}

void tst_VideoSection::startUpListsBuyerVideosAfterThreeDownloads() {
    serveAll();
    m_section->resetForMainLoad();
    QCOMPARE(m_kind->currentText(), "Buyer");
    QVERIFY(m_server->requestedPaths().isEmpty());
    m_section->LoadVideoCategories();
    QCOMPARE(m_server->requestedPaths(),
             (QList<QByteArray>{kCoderCategories, kBuyerCategories, kBuyerVideos}));
    QCOMPARE(lines(), kBuyerNames);
    auto* coderCategories = m_section->form().control<QComboBox>("cmdVideCategoriesCoder");
    auto* buyerCategories = m_section->form().control<QComboBox>("cmbVideoCategories");
    QCOMPARE(coderCategories->count(), 2);
    QCOMPARE(coderCategories->currentText(), "All");
    QCOMPARE(buyerCategories->itemText(1), "Getting started");
    QVERIFY(!coderCategories->isVisible() && !buyerCategories->isVisible());
    QCOMPARE(m_boxes->count(), 0);

    // A later activation reloads the categories and the list of the kind on show.
    const qsizetype before = m_server->requestedPaths().size();
    m_section->LoadVideoCategories();
    QCOMPARE(m_server->requestedPaths().mid(before),
             (QList<QByteArray>{kCoderCategories, kBuyerCategories, kBuyerVideos}));
    QCOMPARE(lines(), kBuyerNames);
}

// The player takes the kind from the kind selector, so after a reload the
// list must hold that kind's videos.
void tst_VideoSection::reactivationKeepsTheListOfTheKindOnShow() {
    serveAll();
    startUp();
    chooseKind("Coder");
    const qsizetype before = m_server->requestedPaths().size();
    m_section->LoadVideoCategories();
    QCOMPARE(m_server->requestedPaths().mid(before),
             (QList<QByteArray>{kCoderCategories, kCoderVideos, kBuyerCategories}));
    QCOMPARE(m_kind->currentText(), "Coder");
    QCOMPARE(lines(), kCoderNames);
    QCOMPARE(m_section->form().control<QComboBox>("cmbVideoCategories")->currentText(), "All");
}

void tst_VideoSection::choosingCoderShowsLoadingThenCoderVideos() {
    serveAll();
    startUp();
    QStringList linesDuringDownload;
    QList<bool> enabledDuringDownload;
    connect(m_server.get(), &ScriptedHttpServer::requestReceived, this, [&] {
        linesDuringDownload = lines();
        enabledDuringDownload = {m_section->form().control("cmbVideoCategories")->isEnabled(),
                                 m_search->isEnabled(), m_list->isEnabled(),
                                 m_mainExit->property("Enabled").toBool()};
    });
    chooseKind("Coder");
    QCOMPARE(m_server->requestedPaths().last(), kCoderVideos);
    QCOMPARE(linesDuringDownload, QStringList{"Loading videos..."});
    QCOMPARE(enabledDuringDownload, (QList<bool>{false, false, false, false}));
    QCOMPARE(lines(), kCoderNames);
    QVERIFY(m_search->isEnabled() && m_list->isEnabled());
    QVERIFY(m_mainExit->property("Enabled").toBool());
}

void tst_VideoSection::choosingAKindAgainRetriesAFailedDownload() {
    m_server->addReply(kBuyerCategories, ok(kBuyerFile));
    m_server->addReply(kCoderCategories, ok(kCoderFile));
    m_server->addReply(kBuyerVideos, ScriptedHttpServer::response("503 Busy", "later"));
    m_server->addReply(kBuyerVideos, ok(kBuyerFile));
    startUp();
    QCOMPARE(lines(), QStringList());
    chooseKind("Buyer");
    QCOMPARE(lines(), kBuyerNames);
    QCOMPARE(m_boxes->count(), 0);
}

// The kind selector stays usable while a list downloads; the list chosen
// last must be the one shown, not the cancelled one's empty result.
void tst_VideoSection::kindChosenDuringADownloadWins() {
    serveAll();
    // The second Buyer download never ends by itself.
    m_server->addReply(kBuyerVideos, ScriptedHttpServer::Reply{QByteArray(), 0, true});
    startUp();
    connect(
        m_server.get(), &ScriptedHttpServer::requestReceived, this,
        [this] { QTimer::singleShot(0, this, [this] { chooseKind("Coder"); }); },
        Qt::SingleShotConnection);
    chooseKind("Buyer");
    QCOMPARE(m_server->requestedPaths().mid(3), (QList<QByteArray>{kBuyerVideos, kCoderVideos}));
    QCOMPARE(m_kind->currentText(), "Coder");
    QCOMPARE(lines(), kCoderNames);
    QVERIFY(m_list->isEnabled());
}

void tst_VideoSection::failedCategoryDownloadsKeepTheList() {
    serveAll();
    m_server->addReply(kBuyerCategories, ScriptedHttpServer::response("404 Not Found", ""));
    m_server->addReply(kCoderCategories, ScriptedHttpServer::response("404 Not Found", ""));
    startUp();
    QCOMPARE(lines(), kBuyerNames);
    m_list->setCurrentRow(1);
    const qsizetype before = m_server->requestedPaths().size();
    m_section->LoadVideoCategories();
    QCOMPARE(m_server->requestedPaths().mid(before),
             (QList<QByteArray>{kCoderCategories, kBuyerCategories}));
    QCOMPARE(m_section->form().control<QComboBox>("cmdVideCategoriesCoder")->count(), 0);
    QCOMPARE(m_section->form().control<QComboBox>("cmbVideoCategories")->count(), 0);
    QCOMPARE(lines(), kBuyerNames);
    QCOMPARE(selectedRow(), 1);
    QCOMPARE(m_boxes->count(), 0);
}

// The start-up's category downloads fail; a later activation, with the
// server back and "Coder" on show, must list the Coder videos, not leave
// "Loading videos..." behind.
void tst_VideoSection::failedStartUpLeavesNoLoadingLineBehind() {
    m_server->addReply(kCoderCategories, ScriptedHttpServer::response("404 Not Found", ""));
    m_server->addReply(kBuyerCategories, ScriptedHttpServer::response("404 Not Found", ""));
    serveAll();
    startUp();
    QCOMPARE(lines(), QStringList());
    chooseKind("Coder");
    QCOMPARE(lines(), kCoderNames);
    const qsizetype before = m_server->requestedPaths().size();
    m_section->LoadVideoCategories();
    QCOMPARE(m_server->requestedPaths().mid(before),
             (QList<QByteArray>{kCoderCategories, kCoderVideos, kBuyerCategories}));
    QCOMPARE(lines(), kCoderNames);
    QCOMPARE(m_boxes->count(), 0);
}

void tst_VideoSection::unreachableServerLeavesEmptyListsAndEnabledControls() {
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    m_section->setContentServer(QStringLiteral("127.0.0.1:%1").arg(probe.serverPort()));
    probe.close();
    startUp();
    chooseKind("Coder");
    QCOMPARE(lines(), QStringList());
    QCOMPARE(m_section->form().control<QComboBox>("cmbVideoCategories")->count(), 0);
    QVERIFY(m_search->isEnabled() && m_list->isEnabled());
    QVERIFY(m_mainExit->property("Enabled").toBool());
    QVERIFY(m_section->form().control("cmbVideoCategories")->isEnabled());
    QCOMPARE(m_boxes->count(), 0);
}

void tst_VideoSection::shortEntriesAreNotShown() {
    m_server->addReply(kBuyerVideos, ok("All[R]ab[C]Paying.swf[C]swf[C].swf[C]Last.swf[R]"));
    m_section->LoadVideoList("Buyer");
    QCOMPARE(lines(), (QStringList{"Paying", "", "Last"}));
}

// Category files of 700,000 bare markers (350,000 empty names) and a video
// list of 500,000 entries, both within the 4 MiB file bound: each selector
// and the list hold 10,000, and the program's memory stays low.
void tst_VideoSection::floodedListFilesAreCutAtTenThousandEntries() {
    QByteArray markers;
    for (int i = 0; i < 700000; ++i)
        markers += "[R]";
    QByteArray videos = "All[R]";
    for (int i = 0; i < 500000; ++i)
        videos += "v.swf[C]";
    videos.chop(3);
    videos += "[R]";
    QVERIFY(videos.size() < (4 << 20));
    m_server->addReply(kCoderCategories, ok(markers));
    m_server->addReply(kBuyerCategories, ok(markers));
    m_server->addReply(kBuyerVideos, ok(videos));
    const qint64 idleKb = test::residentKb();
    const bool measured = test::resetPeakResident();

    startUp();
    auto* coderCategories = m_section->form().control<QComboBox>("cmdVideCategoriesCoder");
    auto* buyerCategories = m_section->form().control<QComboBox>("cmbVideoCategories");
    QCOMPARE(coderCategories->count(), 10000);
    QCOMPARE(buyerCategories->count(), 10000);
    QCOMPARE(m_list->count(), 10000);
    QCOMPARE(m_list->item(9999)->text(), "v");
    if (measured && !test::kSanitized) {
        const qint64 aboveIdleKb = test::peakResidentKb() - idleKb;
        QVERIFY2(aboveIdleKb < 100 * 1024, qPrintable(QString::number(aboveIdleKb)));
    }
}

void tst_VideoSection::searchMovesTheSelection_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("row");
    QTest::newRow("prefix") << "Cho" << 1;
    QTest::newRow("other-case") << "pAYING" << 2;
    QTest::newRow("first-of-several") << "P" << 0;
    QTest::newRow("whole-name") << "Paying for milestones" << 2;
    QTest::newRow("no-line-begins-with-it") << "coder" << -1;
    QTest::newRow("longer-than-any-line") << "Posting a project now" << -1;
    QTest::newRow("cleared-selects-first") << "" << 0;
}

void tst_VideoSection::searchMovesTheSelection() {
    QFETCH(QString, typed);
    QFETCH(int, row);
    serveAll();
    startUp();
    m_list->setCurrentRow(1);
    m_search->setText("x");
    m_search->setText(typed);
    QCOMPARE(selectedRow(), row);
    QCOMPARE(lines(), kBuyerNames);
}

void tst_VideoSection::loadWithNothingSelectedAsksThenSelectsTheFirstLine() {
    serveAll();
    startUp();
    m_search->setText("zzz");
    QCOMPARE(selectedRow(), -1);
    m_section->ButtonEx7_Click();
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last().text, "Please select a video from the list of videos.");
    QCOMPARE(m_boxes->last().title, "Select...");
    QCOMPARE(m_boxes->last().icon, QMessageBox::Information);
    QCOMPARE(selectedRow(), 0);
    QCOMPARE(m_playersSeen, 0);

    whenPlayerOpens([](frmPlayVideos* player) {
        QCOMPARE(player->form().control<QLabel>("Label3")->text(), "Playing: Posting a project");
    });
    m_section->ButtonEx7_Click();
    QCOMPARE(m_playersSeen, 1);
    QCOMPARE(g_SelectedVideoName, "Posting a project");
    QVERIFY(!m_browsers->created.first());
}

void tst_VideoSection::loadOnAnEmptyListOpensNothing() {
    m_section->ButtonEx7_Click();
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last().title, "Select...");
    QCOMPARE(selectedRow(), -1);
    QVERIFY(m_browsers->created.isEmpty());
    QVERIFY(g_SelectedVideoName.isEmpty());
}

void tst_VideoSection::backToVideosKeepsTheListAndSkipsTheReload() {
    serveAll();
    startUp();
    chooseKind("Coder");
    m_search->setText("fees");
    const qsizetype requestsBefore = m_server->requestedPaths().size();
    QUrl played;
    whenPlayerOpens([&](frmPlayVideos* player) {
        auto* browser = dynamic_cast<test::FakeBrowser*>(player->playerBrowser());
        QVERIFY(browser);
        played = browser->navigations.value(0);
    });
    m_section->ButtonEx7_Click();
    QCOMPARE(m_playersSeen, 1);
    QCOMPARE(played.path(), "/displaypaidVideosVelmora/demo/Coder/pmovie.php");
    QCOMPARE(played.query(QUrl::FullyDecoded), "fname=Fees & payments.swf");
    QVERIFY(g_SkipVideoReload);
    QCOMPARE(lines(), kCoderNames);
    QCOMPARE(selectedRow(), 1);
    QCOMPARE(m_kind->currentText(), "Coder");
    QCOMPARE(m_server->requestedPaths().size(), requestsBefore);
}

void tst_VideoSection::doubleClickPlaysTheVideo() {
    serveAll();
    startUp();
    whenPlayerOpens([](frmPlayVideos*) {});
    const QRect line = m_list->visualItemRect(m_list->item(2));
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, line.center());
    QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, line.center());
    QCOMPARE(m_playersSeen, 1);
    QCOMPARE(g_SelectedVideoName, "Paying for milestones");
}

void tst_VideoSection::twoVideosUseTwoWindowsAndTwoBrowsers() {
    serveAll();
    startUp();
    QList<QPointer<frmPlayVideos>> windows;
    for (int row : {0, 1}) {
        m_list->setCurrentRow(row);
        whenPlayerOpens([&](frmPlayVideos* player) { windows << player; });
        m_section->ButtonEx7_Click();
    }
    QCOMPARE(windows.size(), 2);
    QCOMPARE(m_browsers->created.size(), 2);
    QTRY_VERIFY(!windows.at(0) && !windows.at(1));
    QVERIFY(!m_browsers->created.at(0) && !m_browsers->created.at(1));
    QCOMPARE(g_SelectedVideoName, "Choosing a coder");
}

void tst_VideoSection::searchBoxKeepsTheFocusAcrossAReload() {
    serveAll();
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    m_search->setFocus();
    QTRY_VERIFY(m_search->hasFocus());
    m_section->resetForMainLoad();
    m_section->LoadVideoCategories();
    QCOMPARE(lines(), kBuyerNames);
    QVERIFY(m_search->hasFocus());
}

void tst_VideoSection::instructionsExplainTheSection() {
    m_section->btnHelp_Click();
    QCOMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last().text, "Please select a video from the above list and then load it "
                                   "by clicking on the Load button below.");
    QCOMPARE(m_boxes->last().title, "Help");
    QCOMPARE(m_boxes->last().icon, QMessageBox::Information);
}

void tst_VideoSection::layoutFollowsTheDesign() {
    const Form& form = m_section->form();
    QCOMPARE(form.control("lstVideos")->geometry(), QRect(221, 243, 498, 74));
    QCOMPARE(form.control("txtSearch")->geometry(), QRect(221, 210, 498, 25));
    QCOMPARE(form.control("cboVidCategories")->geometry(), QRect(222, 123, 194, 22));
    QCOMPARE(m_kind->count(), 2);
    QCOMPARE(m_kind->itemText(0), "Buyer");
    QCOMPARE(m_kind->itemText(1), "Coder");
    QCOMPARE(m_kind->currentIndex(), -1);
    QCOMPARE(form.control<QLabel>("Label10")->text(), "Videos");
    QCOMPARE(form.control<QLabel>("Label16")->text(), "Videos for buyer or coder?");
    QCOMPARE(form.control<QLabel>("Label12")->text(), "Select a video to view:");
    QCOMPARE(form.control<QLabel>("Label13")->text(), "Type video name to search:");
    QCOMPARE(form.control<QLabel>("Label11")->text(), "Select an action:");
    QVERIFY(!form.control("Label17")->isVisible());
    QCOMPARE(m_section->searchBox(), m_search);
}

// The buttons are created by class name; without the control library the
// section still loads and works through its handlers.
void tst_VideoSection::buttonsAreWired() {
    QWidget* help = m_section->form().control("btnHelp");
    QWidget* load = m_section->form().control("ButtonEx7");
    VELMORA_REQUIRE(help && load, "the ButtonEx control library");
    for (const char* name : {"ButtonEx7", "btnHelp", "ButtonEx8", "ButtonEx9"})
        QCOMPARE(m_section->form().designGeometry(name).isValid(), true);
    QCOMPARE(load->property("Caption").toString(), "&Load");
    QCOMPARE(help->property("Caption").toString(), "&Instructions");
    QCOMPARE(m_section->form().control("ButtonEx8")->property("Caption").toString(), "E&xit");
    QCOMPARE(m_section->form().control("ButtonEx9")->property("Caption").toString(),
             "Back to welcome");
    QVERIFY(QMetaObject::invokeMethod(help, "Click"));
    QCOMPARE(m_boxes->last().title, "Help");
    QVERIFY(QMetaObject::invokeMethod(load, "Click"));
    QCOMPARE(m_boxes->last().title, "Select...");
}

QTEST_MAIN(tst_VideoSection)
#include "tst_VideoSection.moc"
