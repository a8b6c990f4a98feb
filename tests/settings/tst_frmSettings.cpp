#include "settings/frmSettings.h"

#include "FakeColourChooser.h"
#include "MessageBoxRecorder.h"
#include "StoredPackage.h"
#include "TestEnvironment.h"
#include "platform/Twips.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace velmora;

namespace {

bool checked(const frmSettings& dialog, const char* option) {
    const auto* button = dialog.form().control<QRadioButton>(QLatin1String(option));
    return button && button->isChecked();
}

QColor squareColour(const frmSettings& dialog, const char* square) {
    return dialog.form().control(QLatin1String(square))->palette().color(QPalette::Window);
}

QWidget* button(const frmSettings& dialog, const char* name) {
    QWidget* widget = dialog.form().control(QLatin1String(name));
    if (!widget || widget->metaObject()->indexOfSignal("Click()") < 0)
        return nullptr;
    return widget;
}

} // namespace

class tst_frmSettings : public QObject {
    Q_OBJECT
private slots:
    void init() { test::resetUserConfig(); }

    void layoutMatchesTheDesign_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("Frame1") << "Frame1" << QRect(180, 180, 4020, 1230);
        QTest::newRow("optWelcome") << "optWelcome" << QRect(135, 270, 2715, 240);
        QTest::newRow("optVideos") << "optVideos" << QRect(135, 855, 2715, 240);
        QTest::newRow("Label1") << "Label1" << QRect(180, 1665, 2175, 240);
        QTest::newRow("Picture1") << "Picture1" << QRect(3645, 1575, 600, 420);
        QTest::newRow("Picture2") << "Picture2" << QRect(3645, 2070, 600, 420);
        QTest::newRow("Command1") << "Command1" << QRect(180, 2745, 1230, 450);
        QTest::newRow("ButtonEx1") << "ButtonEx1" << QRect(1530, 2745, 1230, 450);
        QTest::newRow("ButtonEx11") << "ButtonEx11" << QRect(2880, 2745, 1290, 450);
    }
    void layoutMatchesTheDesign() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        frmSettings dialog;
        QCOMPARE(dialog.windowTitle(), QString("Settings"));
        QCOMPARE(dialog.size(), QSize(296, 226));
        QWidget* control = dialog.form().control(name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(dialog.form().designGeometry(name), twips);
        QCOMPARE(control->geometry(), twipsToPixels(twips));
    }

    void captionsOfTheButtons() {
        frmSettings dialog;
        for (const auto& [name, caption] : {std::pair{"Command1", "&Update"},
                                            {"ButtonEx1", "Ca&ncel"},
                                            {"ButtonEx11", "&Instructions"}}) {
            QWidget* widget = button(dialog, name);
            QVERIFY2(widget, name);
            QCOMPARE(widget->property("Caption").toString(), QString(caption));
        }
    }

    void firstUseShowsTheDesignAndStoresIt() {
        frmSettings dialog;
        QSignalSpy applied(&dialog, &frmSettings::coloursApplied);
        dialog.show();
        QVERIFY(checked(dialog, "optWelcome"));
        QCOMPARE(squareColour(dialog, "Picture1"), QColor(0x6A, 0x7E, 0xC3));
        QCOMPARE(squareColour(dialog, "Picture2"), QColor(Qt::white));

        dialog.Command1_Click();
        QCOMPARE(test::storedPackageValue("Startup"), QString("Welcome"));
        QCOMPARE(test::storedPackageValue("ColorWelcome"), QString("12811882"));
        QCOMPARE(test::storedPackageValue("FontWelcome"), QString("16777215"));
        QCOMPARE(applied.count(), 1);
        QCOMPARE(applied.at(0).at(0).value<OleColor>(), 0x00C37E6Au);
        QCOMPARE(applied.at(0).at(1).value<OleColor>(), 0x00FFFFFFu);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    void storedChoicesAreShown_data() {
        QTest::addColumn<QString>("startup");
        QTest::addColumn<QString>("option");
        QTest::newRow("docs") << "Docs"
                              << "optDocs";
        QTest::newRow("videos") << "Videos"
                                << "optVideos";
        QTest::newRow("welcome") << "Welcome"
                                 << "optWelcome";
        QTest::newRow("lower-case-keeps-design") << "videos"
                                                 << "optWelcome";
        QTest::newRow("unknown-keeps-design") << "Full screen"
                                              << "optWelcome";
    }
    void storedChoicesAreShown() {
        QFETCH(QString, startup);
        QFETCH(QString, option);
        test::storePackageValue("Startup", startup);
        test::storePackageValue("ColorWelcome", QStringLiteral("255"));
        test::storePackageValue("FontWelcome", QStringLiteral("65280"));
        frmSettings dialog;
        dialog.show();
        QVERIFY(checked(dialog, qPrintable(option)));
        QCOMPARE(squareColour(dialog, "Picture1"), QColor(Qt::red));
        QCOMPARE(squareColour(dialog, "Picture2"), QColor(Qt::green));
    }

    void invalidColoursKeepTheDesign_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << "";
        QTest::newRow("word") << "navy";
        QTest::newRow("out-of-range") << "99999999999";
    }
    void invalidColoursKeepTheDesign() {
        QFETCH(QString, value);
        test::storePackageValue("ColorWelcome", value);
        test::storePackageValue("FontWelcome", value);
        frmSettings dialog;
        dialog.show();
        QCOMPARE(dialog.backColor(), 0x00C37E6Au);
        QCOMPARE(dialog.fontColor(), 0x00FFFFFFu);
    }

    void backSquareOpensItsChooserOnDoubleClickOnly() {
        FakeColourChooser chooser;
        chooser.queue(0x00123456u);
        frmSettings dialog(nullptr, &chooser);
        dialog.show();
        QWidget* square = dialog.form().control(QStringLiteral("Picture1"));
        QTest::mouseClick(square, Qt::LeftButton);
        QCOMPARE(chooser.requests(), 0);
        QTest::mouseDClick(square, Qt::LeftButton);
        QCOMPARE(chooser.requests(), 1);
        QCOMPARE(chooser.lastShown(), 0x00C37E6Au);
        QCOMPARE(dialog.backColor(), 0x00123456u);
        QCOMPARE(squareColour(dialog, "Picture1"), QColor(0x56, 0x34, 0x12));
    }

    void fontSquareOpensItsChooserOnSingleClick() {
        FakeColourChooser chooser;
        chooser.queue(0x000000FFu);
        frmSettings dialog(nullptr, &chooser);
        dialog.show();
        QTest::mouseClick(dialog.form().control(QStringLiteral("Picture2")), Qt::LeftButton);
        QCOMPARE(chooser.requests(), 1);
        QCOMPARE(dialog.fontColor(), 0x000000FFu);
    }

    void cancelledChooserLeavesTheSquare() {
        FakeColourChooser chooser;
        chooser.queue(std::nullopt);
        chooser.queue(std::nullopt);
        frmSettings dialog(nullptr, &chooser);
        dialog.show();
        dialog.Picture1_DblClick();
        dialog.Picture2_Click();
        QCOMPARE(chooser.requests(), 2);
        QCOMPARE(dialog.backColor(), 0x00C37E6Au);
        QCOMPARE(dialog.fontColor(), 0x00FFFFFFu);
    }

    void updateSavesTheChosenValues() {
        FakeColourChooser chooser;
        chooser.queue(0x00008000u);
        frmSettings dialog(nullptr, &chooser);
        QSignalSpy applied(&dialog, &frmSettings::coloursApplied);
        dialog.show();
        dialog.form().control<QRadioButton>(QStringLiteral("optVideos"))->setChecked(true);
        dialog.Picture1_DblClick();
        QWidget* update = button(dialog, "Command1");
        QVERIFY(update);
        QTest::mouseClick(update, Qt::LeftButton);
        QCOMPARE(test::storedPackageValue("Startup"), QString("Videos"));
        QCOMPARE(test::storedPackageValue("ColorWelcome"), QString::number(0x00008000));
        QCOMPARE(applied.count(), 1);
        QCOMPARE(applied.at(0).at(0).value<OleColor>(), 0x00008000u);
    }

    void cancelSavesNothing() {
        test::storePackageValue("ColorWelcome", QStringLiteral("255"));
        FakeColourChooser chooser;
        chooser.queue(0x00FF0000u);
        frmSettings dialog(nullptr, &chooser);
        QSignalSpy applied(&dialog, &frmSettings::coloursApplied);
        dialog.show();
        dialog.Picture1_DblClick();
        QWidget* cancel = button(dialog, "ButtonEx1");
        QVERIFY(cancel);
        QTest::mouseClick(cancel, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(applied.count(), 0);
        QCOMPARE(test::storedPackageValue("ColorWelcome"), QString("255"));
        QCOMPARE(test::storedPackageValue("Startup"), QString());

        frmSettings again;
        again.show();
        QCOMPARE(again.backColor(), 0x000000FFu);
    }

    void instructionsExplainTheSquares() {
        MessageBoxRecorder boxes;
        frmSettings dialog;
        dialog.ButtonEx11_Click();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, QString("Double click on each color square box in order to "
                                            "change the back color and font color of the welcome "
                                            "screen."));
        QCOMPARE(boxes.last().title, QString("Help"));
        QCOMPARE(boxes.last().icon, QMessageBox::Information);
        QVERIFY(dialog.result() != QDialog::Accepted);
    }

    void unwritableStoreStillAppliesAndClosesQuietly() {
        MessageBoxRecorder boxes;
        const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
        QFile blocker(QDir(home).filePath(QStringLiteral("Velmora")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        frmSettings dialog;
        QSignalSpy applied(&dialog, &frmSettings::coloursApplied);
        dialog.show();
        dialog.Command1_Click();
        QCOMPARE(applied.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(boxes.count(), 0);
    }

    void playVideosIsNotWritten() {
        frmSettings dialog;
        dialog.show();
        dialog.Command1_Click();
        QCOMPARE(test::storedPackageValue("PlayVideos"), QString());
    }
};

QTEST_MAIN(tst_frmSettings)
#include "tst_frmSettings.moc"
