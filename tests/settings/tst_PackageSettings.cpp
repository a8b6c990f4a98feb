#include "settings/PackageSettings.h"

#include "StoredPackage.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace velmora;

class tst_PackageSettings : public QObject {
    Q_OBJECT
private slots:
    void init() { test::resetUserConfig(); }

    void colourValues_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<quint32>("colour");
        QTest::newRow("design-back") << "12811882" << true << 0x00C37E6Au;
        QTest::newRow("white") << "16777215" << true << 0x00FFFFFFu;
        QTest::newRow("zero") << "0" << true << 0u;
        QTest::newRow("blanks-around") << "  255 " << true << 0x000000FFu;
        QTest::newRow("negative-is-system-colour") << "-2147483633" << true << 0x8000000Fu;
        QTest::newRow("minus-one") << "-1" << true << 0xFFFFFFFFu;
        QTest::newRow("int32-max") << "2147483647" << true << 0x7FFFFFFFu;
        QTest::newRow("int32-min") << "-2147483648" << true << 0x80000000u;
        QTest::newRow("above-int32") << "2147483648" << false << 0u;
        QTest::newRow("unsigned-white-system") << "4294967295" << false << 0u;
        QTest::newRow("below-int32") << "-2147483649" << false << 0u;
        QTest::newRow("empty") << "" << false << 0u;
        QTest::newRow("blank") << "   " << false << 0u;
        QTest::newRow("word") << "blue" << false << 0u;
        QTest::newRow("trailing-garbage") << "255px" << false << 0u;
        QTest::newRow("fraction") << "12.5" << false << 0u;
        QTest::newRow("hex") << "0xFF" << false << 0u;
    }
    void colourValues() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(quint32, colour);
        const std::optional<OleColor> parsed = parseColourValue(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, colour);
    }

    void colourTextRoundTrips() {
        QCOMPARE(colourValueText(0x00C37E6Au), QString("12811882"));
        QCOMPARE(colourValueText(0x00FFFFFFu), QString("16777215"));
        // System colours have the high bit set and are written as negative numbers.
        QCOMPARE(colourValueText(0x80000012u), QString("-2147483630"));
        QCOMPARE(parseColourValue(colourValueText(0x80000012u)),
                 std::optional<OleColor>(0x80000012u));
    }

    void startupWords_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("section"); // -1: not a start section
        QTest::newRow("welcome") << "Welcome" << int(StartupSection::Welcome);
        QTest::newRow("docs") << "Docs" << int(StartupSection::Docs);
        QTest::newRow("videos") << "Videos" << int(StartupSection::Videos);
        QTest::newRow("lower-case") << "videos" << -1;
        QTest::newRow("upper-case") << "DOCS" << -1;
        QTest::newRow("trailing-blank") << "Docs " << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("other") << "Guides" << -1;
    }
    void startupWords() {
        QFETCH(QString, text);
        QFETCH(int, section);
        const std::optional<StartupSection> parsed = parseStartup(text);
        QCOMPARE(parsed.has_value(), section >= 0);
        if (parsed) {
            QCOMPARE(int(*parsed), section);
            QCOMPARE(startupText(*parsed), text);
        }
    }

    void storeKeysAndFormats() {
        QVERIFY(!PackageSettings::startup());
        QVERIFY(!PackageSettings::welcomeBackColor());
        QVERIFY(!PackageSettings::welcomeFontColor());

        QVERIFY(PackageSettings::saveStartup(StartupSection::Videos));
        QVERIFY(PackageSettings::saveWelcomeBackColor(0x00C37E6Au));
        QVERIFY(PackageSettings::saveWelcomeFontColor(0x00FFFFFFu));
        QCOMPARE(test::storedPackageValue("Startup"), QString("Videos"));
        QCOMPARE(test::storedPackageValue("ColorWelcome"), QString("12811882"));
        QCOMPARE(test::storedPackageValue("FontWelcome"), QString("16777215"));
        QCOMPARE(PackageSettings::startup(), std::optional(StartupSection::Videos));
        QCOMPARE(PackageSettings::welcomeBackColor(), std::optional<OleColor>(0x00C37E6Au));
    }

    void invalidStoredValuesReadAsAbsent() {
        test::storePackageValue("Startup", QStringLiteral("videos"));
        test::storePackageValue("ColorWelcome", QStringLiteral("teal"));
        test::storePackageValue("FontWelcome", QStringLiteral("99999999999"));
        QVERIFY(!PackageSettings::startup());
        QVERIFY(!PackageSettings::welcomeBackColor());
        QVERIFY(!PackageSettings::welcomeFontColor());
    }

    void unwritableStoreReportsFailureQuietly() {
        // The application's folder is taken by a plain file, so nothing can
        // be written below it (permissions would not stop root).
        const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
        QFile blocker(QDir(home).filePath(QStringLiteral("Velmora")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        QVERIFY(!PackageSettings::saveStartup(StartupSection::Docs));
        QVERIFY(!PackageSettings::saveWelcomeBackColor(255));
        QVERIFY(!PackageSettings::startup());
        QVERIFY(!PackageSettings::welcomeBackColor());
    }
};

QTEST_GUILESS_MAIN(tst_PackageSettings)
#include "tst_PackageSettings.moc"
