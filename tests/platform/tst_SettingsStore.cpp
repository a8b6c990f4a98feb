#include "TestEnvironment.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

using velmora::SettingsStore;

class tst_SettingsStore : public QObject {
    Q_OBJECT
private slots:
    void init() { velmora::test::resetUserConfig(); }

    void missingValueReadsAsEmpty() {
        QCOMPARE(SettingsStore::read("Velmora", "Package", "Startup"), QString());
    }

    void writtenValueSurvivesAnotherRead() {
        QVERIFY(SettingsStore::write("Velmora", "Package", "Startup", "Videos"));
        QCOMPARE(SettingsStore::read("Velmora", "Package", "Startup"), QString("Videos"));
        // Sections and applications are separate name spaces.
        QCOMPARE(SettingsStore::read("Velmora", "Other", "Startup"), QString());
        QCOMPARE(SettingsStore::read("Another", "Package", "Startup"), QString());
    }

    void storeFollowsXdgConfigHome() {
        QVERIFY(SettingsStore::write("Velmora", "Package", "ColorWelcome", "12812906"));
        const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
        QVERIFY(QFile::exists(home + "/Velmora/settings.ini"));
    }

    void valuesWithSpecialCharactersRoundTrip() {
        const QString value = "a=b; c/d \"quoted\" \u00e9";
        QVERIFY(SettingsStore::write("Velmora", "Package", "Odd", value));
        QCOMPARE(SettingsStore::read("Velmora", "Package", "Odd"), value);
    }

    void unwritableStoreReportsFailure() {
        // A file where the store's folder should be cannot be written even
        // by root, unlike a folder without write permission.
        QFile blocker(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Velmora");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!SettingsStore::write("Velmora", "Package", "Startup", "Videos"));
        QCOMPARE(SettingsStore::read("Velmora", "Package", "Startup"), QString());
    }
};

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_SettingsStore.moc"
