// The whole road of one video against the demo content server, with the
// real browser module on a real display.

#include "MessageBoxRecorder.h"
#include "platform/Browser.h"
#include "platform/BrowserFactory.h"
#include "videos/VideoGlobals.h"
#include "videos/VideoSection.h"
#include "videos/frmPlayVideos.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

using namespace velmora;

class tst_VideoPlayback : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startUpListsTheBuyerVideos();
    void coderVideoPlaysAndBackKeepsTheList();

private:
    QStringList lines() const {
        QStringList result;
        for (int row = 0; row < m_list->count(); ++row)
            result << m_list->item(row)->text();
        return result;
    }

    std::unique_ptr<QWidget> m_frame;
    std::unique_ptr<VideoSection> m_section;
    std::unique_ptr<MessageBoxRecorder> m_boxes;
    QListWidget* m_list = nullptr;
};

void tst_VideoPlayback::init() {
    g_SkipVideoReload = false;
    m_boxes = std::make_unique<MessageBoxRecorder>();
    m_frame = std::make_unique<QWidget>();
    m_frame->resize(893, 679);
    m_section = std::make_unique<VideoSection>(m_frame.get());
    m_list = m_section->form().control<QListWidget>("lstVideos");
    m_frame->show();
    m_section->resetForMainLoad();
    m_section->LoadVideoCategories();
}

void tst_VideoPlayback::cleanup() {
    m_section.reset();
    m_frame.reset();
    m_boxes.reset();
}

void tst_VideoPlayback::startUpListsTheBuyerVideos() {
    QCOMPARE(m_section->form().control<QComboBox>("cboVidCategories")->currentText(), "Buyer");
    QVERIFY(lines().size() >= 3);
    QCOMPARE(lines().first(), "Welcome to Taskmarket for buyers");
    QVERIFY(m_section->form().control<QComboBox>("cmbVideoCategories")->count() >= 2);
    QCOMPARE(m_boxes->count(), 0);
}

void tst_VideoPlayback::coderVideoPlaysAndBackKeepsTheList() {
    auto* kind = m_section->form().control<QComboBox>("cboVidCategories");
    kind->setCurrentIndex(kind->findText("Coder"));
    emit kind->activated(kind->currentIndex());
    const QStringList coderLines = lines();
    QVERIFY(coderLines.size() >= 3);
    m_list->setCurrentRow(1);
    const QString name = coderLines.at(1);

    QString pageTitle;
    QUrl pageAddress;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* player = qobject_cast<frmPlayVideos*>(QApplication::activeModalWidget());
        if (!player || !player->isVisible())
            return;
        poll.stop();
        // Closed whatever the checks find, so that a failure cannot hang the test.
        const auto close = qScopeGuard([player] { player->ButtonEx9_Click(); });
        Browser* browser = player->playerBrowser();
        QVERIFY2(browser, qPrintable(m_boxes->last().text));
        QVERIFY(browser->widget()->isVisible());
        // The demo page names the video in its title once it has loaded
        // (demo/content/player.html); while it loads, the title is the
        // address, which names the video too.
        QTRY_VERIFY_WITH_TIMEOUT(browser->title().endsWith(" - Velmora videos"), 60000);
        pageTitle = browser->title();
        pageAddress = browser->address();
    });
    poll.start(20);
    m_section->ButtonEx7_Click();

    QVERIFY2(pageTitle.contains(name), qPrintable(pageTitle));
    QCOMPARE(pageAddress.path(), "/displaypaidVideosVelmora/demo/Coder/pmovie.php");
    QVERIFY(g_SkipVideoReload);
    QCOMPARE(lines(), coderLines);
    QCOMPARE(m_list->currentRow(), 1);
    QCOMPARE(m_boxes->count(), 0);
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tst_VideoPlayback test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_VideoPlayback.moc"
