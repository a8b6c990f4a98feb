// The browser factory on a platform that gives no GL context.

#include "GlDriverMaps.h"
#include "TestEnvironment.h"
#include "platform/Browser.h"
#include "platform/BrowserFactory.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QWidget>

using namespace velmora;

namespace {

QStringList g_messages;

void recordMessage(QtMsgType, const QMessageLogContext&, const QString& message) {
    g_messages << message;
}

QByteArray ownMaps() {
    return test::processMaps(QCoreApplication::applicationPid());
}

} // namespace

class tst_BrowserFactory : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void noGlContextFailsWithoutLoadingTheModule();

private:
    QtMessageHandler m_previous = nullptr;
};

void tst_BrowserFactory::init() {
    g_messages.clear();
    m_previous = qInstallMessageHandler(recordMessage);
}

void tst_BrowserFactory::cleanup() {
    qInstallMessageHandler(m_previous);
}

void tst_BrowserFactory::noGlContextFailsWithoutLoadingTheModule() {
    const QString module = QDir(test::buildBinDir()).filePath("libvelmora_browser.so");
    QVERIFY2(QFile::exists(module), qPrintable(module));
    ModuleBrowserFactory factory(module);
    // The preparation ahead meets the same platform: it must neither load
    // the module without a context nor leave creation waiting.
    factory.prepareAhead();
    QWidget parent;
    // Twice: a failure is tried again, and fails the same way.
    for (int attempt = 0; attempt < 2; ++attempt) {
        QString error;
        QCOMPARE(factory.create(&parent, "browser", &error), nullptr);
        QVERIFY(!error.isEmpty());
    }
    QVERIFY(parent.findChildren<QWidget*>().isEmpty());
    QVERIFY(!ownMaps().contains("libvelmora_browser"));
    QVERIFY(!ownMaps().contains("WebEngine"));
    // Not a word to the terminal on the way: the message box is the user's.
    QCOMPARE(g_messages, QStringList());
}

int main(int argc, char** argv) {
    // Without an X display the offscreen platform makes no GL context.
    qunsetenv("DISPLAY");
    QApplication app(argc, argv);
    tst_BrowserFactory test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_BrowserFactory.moc"
