#include "platform/ClickLabel.h"
#include "platform/ControlHost.h"
#include "platform/FormLoader.h"
#include "platform/ShapeWidget.h"
#include "platform/Twips.h"

#include <Button/PropertyBag.h>

#include <QComboBox>
#include <QFrame>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace velmora;

namespace {

const char* const kWindow = R"({
  "caption": "Sample", "clientWidth": 8265, "clientHeight": 2805, "backColor": 16762036,
  "controls": [
    {"name": "fraPanel", "type": "Frame", "geometry": [1852, 772, 13395, 10185],
     "backColor": 16762036, "visible": false},
    {"name": "Label2", "type": "Label", "geometry": [1477, 225, 5310, 615],
     "caption": "Velmora package", "alignment": "center",
     "font": {"name": "Arial", "size": 26.25, "bold": true}, "foreColor": 255},
    {"name": "Label28", "type": "Label", "index": 0, "geometry": [4590, 8010, 555, 375],
     "caption": "Click", "transparent": true},
    {"name": "Label28", "type": "Label", "index": 1, "geometry": [5625, 8010, 5415, 375],
     "caption": "to change the colors", "transparent": true},
    {"name": "cmbKinds", "type": "ComboBox", "parent": "fraPanel",
     "geometry": [3315, 2265, 2910, 330], "items": ["Buyer", "Coder"]},
    {"name": "Shape2", "type": "Shape", "geometry": [1845, 765, 13335, 9870],
     "fillColor": 12811882, "borderColor": 0},
    {"name": "Line1", "type": "Line", "line": [0, 2340, 8190, 2340]},
    {"name": "Mystery", "type": "Hologram", "geometry": [0, 0, 15, 15]},
    {"name": "tmrUnload", "type": "Timer", "interval": 2500, "enabled": true}
  ]
})";

} // namespace

class tst_FormLoader : public QObject {
    Q_OBJECT
private slots:
    void twipConversions_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("exact") << 15360 << 1024;
        QTest::newRow("rounds-down") << 7 << 0;
        QTest::newRow("rounds-up") << 8 << 1;
        QTest::newRow("negative") << -15000 << -1000;
        QTest::newRow("negative-rounds") << -8 << -1;
    }
    void twipConversions() {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        QCOMPARE(twipsToPixels(twips), pixels);
    }

    void extentsInHundredthsOfMillimetres() {
        QCOMPARE(ControlHost::twipsToHimetric(1290), 2275);
        QCOMPARE(ControlHost::twipsToHimetric(450), 794);
        QCOMPARE(ControlHost::himetricToTwips(2275), 1290);
        QCOMPARE(ControlHost::himetricToTwips(794), 450);
    }

    void buildsControlsAtTheirPlaces() {
        QWidget root;
        const Form form = FormLoader::loadFromJson(kWindow, &root);
        QCOMPARE(root.windowTitle(), QString("Sample"));
        QCOMPARE(root.size(), QSize(551, 187));

        auto* label = form.control<QLabel>("Label2");
        QVERIFY(label);
        QCOMPARE(label->geometry(), QRect(98, 15, 354, 41));
        QCOMPARE(label->text(), QString("Velmora package"));
        QCOMPARE(label->font().family(), QString("Arial"));
        QVERIFY(label->font().bold());
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(form.designGeometry("Label2"), QRect(1477, 225, 5310, 615));
    }

    void childControlsLieInTheirFrame() {
        QWidget root;
        const Form form = FormLoader::loadFromJson(kWindow, &root);
        auto* frame = form.control<QFrame>("fraPanel");
        auto* combo = form.control<QComboBox>("cmbKinds");
        QVERIFY(frame && combo);
        QCOMPARE(combo->parentWidget(), frame);
        QVERIFY(frame->isHidden());
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->currentIndex(), -1);
    }

    void controlArraysAreNamedByIndex() {
        QWidget root;
        const Form form = FormLoader::loadFromJson(kWindow, &root);
        QCOMPARE(form.control<QLabel>("Label28(0)")->text(), QString("Click"));
        QCOMPARE(form.control<QLabel>("Label28(1)")->text(), QString("to change the colors"));
        QCOMPARE(form.control<QLabel>("Label28"), form.control<QLabel>("Label28(0)"));
    }

    void shapesLinesAndTimers() {
        QWidget root;
        const Form form = FormLoader::loadFromJson(kWindow, &root);
        auto* shape = form.control<ShapeWidget>("Shape2");
        QVERIFY(shape);
        QCOMPARE(shape->fillColor(), QColor(0x6A, 0x7E, 0xC3));
        auto* line = form.control<ShapeWidget>("Line1");
        QVERIFY(line);
        QCOMPARE(line->geometry(), QRect(0, 156, 547, 1));
        QTimer* timer = form.timer("tmrUnload");
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 2500);
        QVERIFY(timer->isActive());
    }

    void unknownKindsAreLeftOutAndTheRestLoads() {
        QWidget root;
        QTest::ignoreMessage(QtWarningMsg, "control Mystery of type Hologram left out");
        const Form form = FormLoader::loadFromJson(kWindow, &root);
        QVERIFY(!form.control("Mystery"));
        QVERIFY(form.control("Line1"));
    }

    void missingDescriptionGivesAnEmptyForm() {
        QWidget root;
        QTest::ignoreMessage(QtWarningMsg, "window description :/nowhere.json cannot be read");
        const Form form = FormLoader::load(":/nowhere.json", &root);
        QVERIFY(form.names().isEmpty());
        QCOMPARE(form.root(), &root);
    }

    void bagKeepsKindsOfValues() {
        const QJsonObject description = QJsonDocument::fromJson(R"({
            "caption": "&Load", "backcolor": 16777215, "enabled": false,
            "font": {"name": "Arial", "size": 9, "bold": true}, "_extentx": 2275})")
                                            .object();
        const PropertyBag bag = FormLoader::bagFrom(description, QFont());
        QCOMPARE(bag.read("Caption").toString(), QString("&Load"));
        QCOMPARE(bag.read("BackColor").toLongLong(), 16777215);
        QCOMPARE(bag.read("ENABLED").toBool(), false);
        QCOMPARE(bag.read("Font").value<QFont>().family(), QString("Arial"));
        QCOMPARE(bag.read("_extentx").toInt(), 2275);
    }

    void clickLabelReportsClicksInside() {
        ClickLabel label;
        label.resize(50, 20);
        QSignalSpy clicks(&label, &ClickLabel::clicked);
        QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseClick(&label, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(clicks.count(), 1);
    }
};

QTEST_MAIN(tst_FormLoader)
#include "tst_FormLoader.moc"
