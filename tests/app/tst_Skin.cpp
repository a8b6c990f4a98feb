#include "app/Skin.h"

#include <QGuiApplication>
#include <QTest>

using namespace velmora;

namespace {

bool isReddish(QColor c) {
    return c.red() > 150 && c.red() > c.blue() + 60;
}
bool isDarkBlue(QColor c) {
    return c.blue() > c.red() + 40 && c.lightness() < 130;
}
bool isLightBlue(QColor c) {
    return c.blue() > 220 && c.red() > 150 && c.red() < c.blue();
}

} // namespace

class tst_Skin : public QObject {
    Q_OBJECT
private slots:
    void rendersAtTheDesignSize() {
        const QImage skin = Skin::render();
        QVERIFY(!skin.isNull());
        QCOMPARE(skin.size(), QSize(1024, 737));
    }

    // The transparent hot spots of the main window lie over these parts of
    // the artwork; the pixels say the artwork is where the hot spots are.
    void artworkLiesUnderTheHotSpots() {
        const QImage skin = Skin::render();
        // close glyph under lblExit (981..1006, 16..41), title bar around it
        QVERIFY(isReddish(skin.pixelColor(985, 36)));
        QVERIFY(isDarkBlue(skin.pixelColor(1015, 28)));
        // minimise glyph under lblMinimize (955..976, 16..41): lighter than the bar
        QVERIFY(skin.pixelColor(966, 33).lightness() > 200);
        QVERIFY(isDarkBlue(skin.pixelColor(940, 28)));
        // light-blue content area between the welcome shape and the panel edge
        QVERIFY(isLightBlue(skin.pixelColor(1016, 400)));
        // light navigation panel around the Guides entry and below it
        QVERIFY(skin.pixelColor(60, 400).lightness() > 200);
        QVERIFY(skin.pixelColor(60, 400).blue() >= skin.pixelColor(60, 400).red());
    }
};

QTEST_MAIN(tst_Skin)
#include "tst_Skin.moc"
