// The Debian package as an administrator gets it: built by CPack, unpacked
// into a scratch root, its files where the desktop and the program expect
// them, and the unpacked program loading its private files from its own
// lib/velmora folder, not from the build tree.

#include "DesktopDriver.h"
#include "GlDriverMaps.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString output;
};

Run run(const QString& program, const QStringList& arguments, const QString& workDir = {}) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!workDir.isEmpty())
        process.setWorkingDirectory(workDir);
    process.start(program, arguments);
    if (!process.waitForFinished(600000))
        process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

} // namespace

class tst_DebianPackage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(m_work.isValid());
        const Run cpack = run(
            QStringLiteral("cpack"),
            {"-G", "DEB", "--config", qEnvironmentVariable("VELMORA_CPACK_CONFIG")}, m_work.path());
        QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.output));
        const QStringList debs = QDir(m_work.path()).entryList({"*.deb"});
        QCOMPARE(debs.size(), 1);
        m_deb = QDir(m_work.path()).filePath(debs.first());
        m_root = QDir(m_work.path()).filePath("root");
        QCOMPARE(run("dpkg-deb", {"-x", m_deb, m_root}).exitCode, 0);
    }

    void filesInTheirPlaces_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("executable");
        QTest::newRow("program") << "usr/bin/VelmoraViewer" << true;
        QTest::newRow("control-library") << "usr/lib/velmora/libButton.so.1.00" << false;
        QTest::newRow("control-library-name") << "usr/lib/velmora/libButton.so" << false;
        QTest::newRow("browser-module") << "usr/lib/velmora/libvelmora_browser.so" << false;
        QTest::newRow("display-guard") << "usr/lib/velmora/VelmoraDisplayGuard" << true;
        QTest::newRow("configuration") << "etc/velmora/velmora.conf" << false;
        QTest::newRow("desktop-entry") << "usr/share/applications/velmora-viewer.desktop" << false;
        QTest::newRow("icon") << "usr/share/icons/hicolor/scalable/apps/velmora-viewer.svg"
                              << false;
        QTest::newRow("copyright") << "usr/share/doc/velmora-viewer/copyright" << false;
        QTest::newRow("changelog") << "usr/share/doc/velmora-viewer/changelog.Debian.gz" << false;
        QTest::newRow("manual-page") << "usr/share/man/man1/VelmoraViewer.1.gz" << false;
    }
    void filesInTheirPlaces() {
        QFETCH(QString, path);
        QFETCH(bool, executable);
        const QFileInfo file(QDir(m_root).filePath(path));
        QVERIFY2(file.exists(), qPrintable(path));
        QCOMPARE(file.isExecutable(), executable);
    }

    void dependsOnWhatTheProgramLinks() {
        const Run depends = run("dpkg-deb", {"-f", m_deb, "Depends"});
        QCOMPARE(depends.exitCode, 0);
        for (const char* package :
             {"libqt6widgets6", "libqt6webenginewidgets6", "libxrandr2", "fonts-liberation"})
            QVERIFY2(depends.output.contains(package), qPrintable(depends.output));
    }

    void desktopEntryIsValid() {
        const Run check =
            run("desktop-file-validate",
                {QDir(m_root).filePath("usr/share/applications/velmora-viewer.desktop")});
        // Hints are suggestions; errors and warnings are faults of the entry.
        QVERIFY2(check.exitCode == 0 && !check.output.contains("error:") &&
                     !check.output.contains("warning:"),
                 qPrintable(check.output));
    }

    void lintianFindsNoError() {
        const Run lintian = run("lintian", {"--tag-display-limit", "0", m_deb});
        for (const QString& line : lintian.output.split('\n'))
            QVERIFY2(!line.startsWith("E: "), qPrintable(lintian.output));
    }

    // The unpacked program, on the test's X server: the control library as
    // Main comes up, the browser module once the contact page is opened,
    // both from the package's own folder.
    void programLoadsItsPrivateFilesFromItsFolder() {
        const QString privateDir = QDir(m_root).filePath("usr/lib/velmora/");
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QDir(m_root).filePath("usr/bin/VelmoraViewer"), {});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(velmora::test::processMaps(program.processId())
                                     .contains((privateDir + "libButton.so.1.00").toLocal8Bit()),
                                 20000);
        // Clicks reach the welcome screen once Main has replaced the splash
        // and holds the focus.
        QTRY_COMPARE_WITH_TIMEOUT(
            velmora::tour::DesktopDriver::visibleWindows(program.processId(), "Velmora package"), 1,
            20000);
        QVERIFY(velmora::tour::DesktopDriver::waitUntilActive("Velmora package", 20000));
        // The "here" link of the welcome screen opens the web page panel.
        QCOMPARE(run("xdotool", {"mousemove", "587", "693", "click", "1"}).exitCode, 0);
        QTRY_VERIFY_WITH_TIMEOUT(
            velmora::test::processMaps(program.processId())
                .contains((privateDir + "libvelmora_browser.so").toLocal8Bit()),
            20000);
        const QByteArray maps = velmora::test::processMaps(program.processId());
        const QByteArray buildBin = qgetenv("VELMORA_BUILD_BIN") + "/lib";
        QVERIFY(!maps.contains(buildBin));
        program.kill();
        program.waitForFinished();
    }

private:
    QTemporaryDir m_work;
    QString m_deb;
    QString m_root;
};

QTEST_GUILESS_MAIN(tst_DebianPackage)
#include "tst_DebianPackage.moc"
