// Reading a window description without building it: what a key given with
// a value of another kind reads as, and a button's stored properties.

#include "platform/FormDescription.h"

#include <QTest>

#include <limits>

using namespace velmora;

class tst_FormDescription : public QObject {
    Q_OBJECT
private slots:
    void namesDefaultsAndPresence() {
        const FormDescription form = FormDescription::parse(R"({
          "caption": "Sample", "clientWidth": 8265,
          "controls": [
            {"name": "Label28", "type": "Label", "index": 1, "parent": "fraPanel",
             "geometry": [5625, 8010, 5415]},
            {"name": "Line1", "type": "Line", "line": [0, 2340, 8190, 2345]},
            7
          ]})");
        QCOMPARE(form.caption, std::optional<QString>("Sample"));
        QCOMPARE(form.clientWidth, std::optional<int>(8265));
        QCOMPARE(form.clientHeight, 0);
        QVERIFY(!form.font && !form.backColor);
        QCOMPARE(form.controls.size(), 3);

        const ControlDescription& label = form.controls[0];
        QCOMPARE(label.name, QString("Label28(1)"));
        QCOMPARE(label.plainName, QString("Label28"));
        QVERIFY(label.indexed);
        QCOMPARE(label.parent, std::optional<QString>("fraPanel"));
        QCOMPARE(label.geometry.left, 5625);
        QCOMPARE(label.geometry.width, 5415);
        QCOMPARE(label.geometry.height, 0);
        // Missing keys: the defaults each control type reads them with.
        QVERIFY(label.wordWrap && label.visible && label.shape.filled);
        QCOMPARE(label.currentIndex, -1);
        QVERIFY(!label.caption && !label.enabled && !label.tabStop && !label.shape.border);

        QCOMPARE(form.controls[1].shape.line, QLine(0, 2340, 8190, 2345));
        QVERIFY(!form.controls[1].indexed);
        // An entry that is not an object is a control with no keys at all.
        QCOMPARE(form.controls[2].name, QString());
    }

    void keysOfAnotherKind() {
        const FormDescription form = FormDescription::parse(R"({"controls": [
            {"name": 12, "caption": 5, "enabled": "yes", "border": 1, "wordWrap": 0,
             "visible": "no", "backColor": 1.5, "foreColor": 255, "currentIndex": "2",
             "tabStop": false, "font": "Arial"}]})");
        const ControlDescription& d = form.controls.at(0);
        QCOMPARE(d.name, QString());
        // Given, so it counts, but as the empty text and false.
        QCOMPARE(d.caption, std::optional<QString>(QString()));
        QCOMPARE(d.enabled, std::optional<bool>(false));
        QCOMPARE(d.tabStop, std::optional<QString>(QString()));
        // The per-type default of a border stays for a value that is no Boolean.
        QVERIFY(!d.shape.border);
        QVERIFY(d.wordWrap);
        QVERIFY(d.visible);
        // Colours are whole numbers; a fraction reads as 0.
        QCOMPARE(d.look.backColor, std::optional<OleColor>(0));
        QCOMPARE(d.look.foreColor, std::optional<OleColor>(255));
        QCOMPARE(d.currentIndex, -1);
        // A font that is not an object resets the styles and keeps the rest.
        QVERIFY(d.look.font && !d.look.font->name && !d.look.font->size && !d.look.font->bold);
    }

    void bagEntries() {
        const FormDescription form = FormDescription::parse(R"({"controls": [{"bag": {
            "FONT": {"name": "Arial", "bold": true}, "Picture": ":/a.png", "MouseIcon": 3,
            "font2": {"name": "x"}, "caption": "&Load", "enabled": false, "width": 2.9,
            "huge": 1e300, "tiny": -1e300}}]})");
        QHash<QString, BagEntry> byKey;
        for (const BagEntry& entry : form.controls.at(0).bag)
            byKey.insert(entry.key, entry);
        QCOMPARE(byKey.size(), 9);
        QCOMPARE(byKey["FONT"].kind, BagEntry::Kind::Font);
        QCOMPARE(byKey["FONT"].font.name, std::optional<QString>("Arial"));
        QVERIFY(byKey["FONT"].font.bold);
        QCOMPARE(byKey["Picture"].kind, BagEntry::Kind::Picture);
        QCOMPARE(byKey["Picture"].value.toString(), QString(":/a.png"));
        // Only a text names a picture, only "font" holds a font.
        QCOMPARE(byKey["MouseIcon"].kind, BagEntry::Kind::Value);
        QCOMPARE(byKey["MouseIcon"].value, QVariant(qint64(3)));
        QCOMPARE(byKey["font2"].kind, BagEntry::Kind::Value);
        QCOMPARE(byKey["caption"].value, QVariant(QString("&Load")));
        QCOMPARE(byKey["enabled"].value, QVariant(false));
        // Numbers are whole, cut toward zero; out of range they stop at the ends.
        QCOMPARE(byKey["width"].value, QVariant(qint64(2)));
        QCOMPARE(byKey["huge"].value, QVariant(std::numeric_limits<qint64>::max()));
        QCOMPARE(byKey["tiny"].value, QVariant(std::numeric_limits<qint64>::min()));
    }

    void notAWindow_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("array") << QByteArray("[{\"controls\": []}]");
        QTest::newRow("cut-short") << QByteArray("{\"caption\": \"Sample\", \"controls\": [");
        QTest::newRow("empty") << QByteArray();
    }
    void notAWindow() {
        QFETCH(QByteArray, json);
        const FormDescription form = FormDescription::parse(json);
        QVERIFY(!form.caption && !form.clientWidth);
        QVERIFY(form.controls.isEmpty());
    }
};

QTEST_APPLESS_MAIN(tst_FormDescription)
#include "tst_FormDescription.moc"
