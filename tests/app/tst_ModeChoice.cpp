// Which display mode to switch to and which to put back, as tables of what
// a server may report: rotations, reflections, transforms and several heads
// live only here (the test servers cannot rotate).

#include "app/display/ModeChoice.h"

#include <QTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::OutputView)
Q_DECLARE_METATYPE(velmora::UserMode)
Q_DECLARE_METATYPE(velmora::PixelSize)
Q_DECLARE_METATYPE(std::vector<velmora::ScreenArea>)

namespace {

// VESA timings (dot clock in Hz, horizontal and vertical totals) and the
// rates they give.
const ModeLine k1024at60{0x60, 1024, 768, 65000000, 1344, 806, 0};      // 60.00 Hz
const ModeLine k1024at70{0x70, 1024, 768, 75000000, 1328, 806, 0};      // 70.07 Hz
const ModeLine k1024at75{0x75, 1024, 768, 78750000, 1312, 800, 0};      // 75.03 Hz
const ModeLine k1024at85{0x85, 1024, 768, 94500000, 1376, 808, 0};      // 85.00 Hz
const ModeLine k1600at65{0x165, 1600, 1200, 175500000, 2160, 1250, 0};  // 65.00 Hz
const ModeLine k1920at144{0x144, 1920, 1080, 452500000, 2672, 1177, 0}; // 143.9 Hz
const ModeLine k1280at85{0x128, 1280, 1024, 157500000, 1728, 1072, 0};  // 85.02 Hz

OutputView head(const std::string& name, ModeLine current, std::vector<ModeLine> modes,
                unsigned rotation = kRotate0) {
    OutputView view;
    view.name = name;
    view.edidHash = 0xED1D;
    view.connected = true;
    view.hasCrtc = true;
    view.modes = std::move(modes);
    view.current = current;
    view.rotation = rotation;
    return view;
}

const std::vector<ModeLine> kAllOf1024{k1024at60, k1024at70, k1024at75, k1024at85};

} // namespace

class tst_ModeChoice : public QObject {
    Q_OBJECT
private slots:
    void refreshRate_data() {
        QTest::addColumn<quint64>("flags");
        QTest::addColumn<double>("rate");
        QTest::newRow("progressive") << quint64(0) << 60.004;
        // Interlace draws half the lines per field, double scan each twice.
        QTest::newRow("interlace") << quint64(0x10) << 120.008;
        QTest::newRow("double-scan") << quint64(0x20) << 30.002;
    }
    void refreshRate() {
        QFETCH(quint64, flags);
        QFETCH(double, rate);
        ModeLine mode = k1024at60;
        mode.flags = flags;
        QVERIFY2(std::abs(mode.refreshRate() - rate) < 0.01,
                 qPrintable(QString::number(mode.refreshRate())));
        QCOMPARE(ModeLine{}.refreshRate(), 0.0);
    }

    // The switch to 1024 x 768 keeps the rate nearest the user's own and
    // leaves alone what would not give the window 1024 pixels of width.
    void switchMode_data() {
        QTest::addColumn<OutputView>("output");
        QTest::addColumn<double>("userRate");
        QTest::addColumn<quint64>("chosen"); // 0: left alone

        QTest::newRow("65-Hz-user-gets-60-not-70")
            << head("DP-1", k1600at65, kAllOf1024) << 65.0 << quint64(0x60);
        QTest::newRow("144-Hz-user-gets-the-highest-offered")
            << head("DP-1", k1920at144, {k1024at60, k1024at75}) << 143.9 << quint64(0x75);
        QTest::newRow("same-rate-offered")
            << head("DP-1", k1600at65, kAllOf1024) << 85.0 << quint64(0x85);
        QTest::newRow("upside-down-is-still-1024-wide")
            << head("DP-1", k1600at65, kAllOf1024, kRotate180) << 65.0 << quint64(0x60);
        QTest::newRow("reflected")
            << head("DP-1", k1600at65, kAllOf1024, kRotate0 | kReflectX) << 65.0 << quint64(0x60);
        QTest::newRow("portrait-90")
            << head("DP-1", k1600at65, kAllOf1024, kRotate90) << 65.0 << quint64(0);
        QTest::newRow("portrait-270-reflected")
            << head("DP-1", k1600at65, kAllOf1024, kRotate270 | kReflectY) << 65.0 << quint64(0);
        OutputView scaled = head("DP-1", k1600at65, kAllOf1024);
        scaled.identityTransform = false;
        QTest::newRow("transformed") << scaled << 65.0 << quint64(0);
        QTest::newRow("no-1024x768")
            << head("DP-1", k1600at65, {k1600at65, k1280at85}) << 65.0 << quint64(0);
        OutputView dark = head("DP-1", {}, kAllOf1024);
        QTest::newRow("shows-nothing") << dark << 65.0 << quint64(0);
        OutputView unplugged = head("DP-1", k1600at65, kAllOf1024);
        unplugged.connected = false;
        QTest::newRow("disconnected") << unplugged << 65.0 << quint64(0);
    }
    void switchMode() {
        QFETCH(OutputView, output);
        QFETCH(double, userRate);
        QFETCH(quint64, chosen);
        const std::optional<ModeLine> mode = switchModeFor(output, {1024, 768}, userRate);
        QCOMPARE(mode ? quint64(mode->id) : quint64(0), chosen);
    }

    // The way back: exactly the saved mode on exactly the saved output.
    void restoreMode_data() {
        QTest::addColumn<OutputView>("output");
        QTest::addColumn<quint64>("chosen"); // 0: nothing is put back

        QTest::newRow("same-id") << head("DP-1", k1024at60, {k1600at65, k1024at60})
                                 << quint64(0x165);
        ModeLine renumbered = k1600at65;
        renumbered.id = 0x999;
        QTest::newRow("same-timings-under-another-id")
            << head("DP-1", k1024at60, {k1024at60, renumbered}) << quint64(0x999);
        // The old id now names other timings (the server reused it): the
        // timings decide.
        ModeLine reused = k1280at85;
        reused.id = 0x165;
        QTest::newRow("id-reused-for-other-timings")
            << head("DP-1", k1024at60, {reused, renumbered}) << quint64(0x999);
        ModeLine otherRate = k1600at65;
        otherRate.dotClock = 162000000; // 1600 x 1200 at 60 Hz
        QTest::newRow("only-another-rate-of-that-size")
            << head("DP-1", k1024at60, {otherRate}) << quint64(0);
        OutputView otherMonitor = head("DP-1", k1024at60, {k1600at65});
        otherMonitor.edidHash = 0xBEEF;
        QTest::newRow("other-EDID") << otherMonitor << quint64(0);
        OutputView unplugged = head("DP-1", k1024at60, {k1600at65});
        unplugged.connected = false;
        QTest::newRow("disconnected") << unplugged << quint64(0);
        OutputView noCrtc = head("DP-1", {}, {k1600at65});
        noCrtc.hasCrtc = false;
        QTest::newRow("no-CRTC") << noCrtc << quint64(0);
        QTest::newRow("other-output") << head("HDMI-1", k1024at60, {k1600at65}) << quint64(0);
    }
    void restoreMode() {
        QFETCH(OutputView, output);
        QFETCH(quint64, chosen);
        const UserMode saved{"DP-1", 0xED1D, k1600at65, kRotate0, 0, 0};
        const std::optional<ModeLine> mode = restoreModeFor(saved, output);
        QCOMPARE(mode ? quint64(mode->id) : quint64(0), chosen);
    }

    // The check after the exit's restore, before the guard stands down.
    void showsUserMode_data() {
        QTest::addColumn<OutputView>("output");
        QTest::addColumn<bool>("shows");
        const auto at = [](OutputView view, int x, int y) {
            view.x = x;
            view.y = y;
            return view;
        };
        QTest::newRow("as-saved") << at(head("DP-1", k1600at65, {}, kRotate90 | kReflectX), 1280, 0)
                                  << true;
        ModeLine renumbered = k1600at65;
        renumbered.id = 0x999;
        QTest::newRow("same-timings-other-id")
            << at(head("DP-1", renumbered, {}, kRotate90 | kReflectX), 1280, 0) << true;
        QTest::newRow("other-rate")
            << at(head("DP-1", k1024at60, {}, kRotate90 | kReflectX), 1280, 0) << false;
        QTest::newRow("reflection-lost")
            << at(head("DP-1", k1600at65, {}, kRotate90), 1280, 0) << false;
        QTest::newRow("moved") << at(head("DP-1", k1600at65, {}, kRotate90 | kReflectX), 0, 0)
                               << false;
        QTest::newRow("dark") << at(head("DP-1", {}, {}, kRotate90 | kReflectX), 1280, 0) << false;
    }
    void showsUserMode() {
        QFETCH(OutputView, output);
        QFETCH(bool, shows);
        const UserMode saved{"DP-1", 0xED1D, k1600at65, kRotate90 | kReflectX, 1280, 0};
        QCOMPARE(velmora::showsUserMode(saved, output), shows);
    }

    void footprint_data() {
        QTest::addColumn<uint>("rotation");
        QTest::addColumn<PixelSize>("size");
        QTest::newRow("0") << uint(kRotate0) << PixelSize{1600, 1200};
        QTest::newRow("90") << uint(kRotate90) << PixelSize{1200, 1600};
        QTest::newRow("180") << uint(kRotate180) << PixelSize{1600, 1200};
        QTest::newRow("270-reflected") << uint(kRotate270 | kReflectX) << PixelSize{1200, 1600};
    }
    void footprint() {
        QFETCH(uint, rotation);
        QFETCH(PixelSize, size);
        QCOMPARE((UserMode{"DP-1", 0, k1600at65, rotation, 0, 0}.footprint()), size);
        // A portrait output's own size is saved turned: the restore of that
        // size is recognised as the way back.
        QVERIFY(userModeOf(head("DP-1", k1600at65, {}, rotation))->footprint() == size);
    }

    void boundingBox_data() {
        QTest::addColumn<std::vector<ScreenArea>>("areas");
        QTest::addColumn<PixelSize>("box");
        QTest::newRow("one-head") << std::vector<ScreenArea>{{0, 0, {1024, 768}}}
                                  << PixelSize{1024, 768};
        // The first head switched, the second left where it was.
        QTest::newRow("side-by-side")
            << std::vector<ScreenArea>{{0, 0, {1024, 768}}, {1600, 0, {1280, 1024}}}
            << PixelSize{2880, 1024};
        QTest::newRow("stacked-portrait")
            << std::vector<ScreenArea>{{0, 0, {1600, 1200}}, {0, 1200, {1200, 1600}}}
            << PixelSize{1600, 2800};
        QTest::newRow("three-heads") << std::vector<ScreenArea>{{0, 0, {1024, 768}},
                                                                {1024, 0, {1920, 1080}},
                                                                {2944, 200, {1280, 1024}}}
                                     << PixelSize{4224, 1224};
        QTest::newRow("beyond-the-maximum")
            << std::vector<ScreenArea>{{0, 0, {1024, 768}}, {7000, 0, {1920, 1080}}}
            << PixelSize{8192, 1080};
        QTest::newRow("below-the-minimum")
            << std::vector<ScreenArea>{{0, 0, {200, 100}}} << PixelSize{320, 200};
    }
    void boundingBox() {
        QFETCH(std::vector<ScreenArea>, areas);
        QFETCH(PixelSize, box);
        QCOMPARE(velmora::boundingBox(areas, {320, 200}, {8192, 8192}), box);
    }

    void millimetresKeepTheDensity() {
        // 2880 pixels over 762 mm (96 dpi): 1024 pixels are 271 mm.
        QCOMPARE(millimetres(1024, 2880, 762), 271);
        // A server that reports no physical size: 96 dots per inch.
        QCOMPARE(millimetres(960, 0, 0), 254);
        QCOMPARE(millimetres(960, 1920, 0), 254);
    }

    void edidHash() {
        const unsigned char edid[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
        unsigned char other[sizeof edid];
        std::copy(std::begin(edid), std::end(edid), other);
        other[7] = 0x01;
        QVERIFY(velmora::edidHash(edid, sizeof edid) != 0);
        QVERIFY(velmora::edidHash(edid, sizeof edid) != velmora::edidHash(other, sizeof other));
        // No EDID at all is its own value, the same every time.
        QCOMPARE(velmora::edidHash(nullptr, 0), std::uint64_t(0));
    }

    // The guard gets the user's mode on its command line, all of it.
    void guardArgumentsCarryTheWholeMode() {
        const UserMode saved{
            "DP-1-2", 0xFEDCBA9876543210ULL, k1600at65, kRotate270 | kReflectY, -1280, 64};
        const std::optional<UserMode> back = parseGuardArguments(guardArguments(saved));
        QVERIFY(back);
        QCOMPARE(back->output, saved.output);
        QCOMPARE(back->edidHash, saved.edidHash);
        QCOMPARE(back->mode.id, saved.mode.id);
        QVERIFY(back->mode.sameTimings(saved.mode));
        QCOMPARE(back->rotation, saved.rotation);
        QCOMPARE(back->x, -1280);
        QCOMPARE(back->y, 64);
    }
    void guardArgumentsRejectGarbage_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("no-output") << 0 << "";
        QTest::newRow("hash-not-a-number") << 1 << "x1";
        QTest::newRow("width-zero") << 3 << "0";
        QTest::newRow("trailing-text") << 10 << "12px";
        QTest::newRow("missing") << 11 << "";
    }
    void guardArgumentsRejectGarbage() {
        QFETCH(int, field);
        QFETCH(QString, value);
        std::vector<std::string> arguments = guardArguments({"DP-1", 1, k1600at65, kRotate0, 0, 0});
        arguments[std::size_t(field)] = value.toStdString();
        QVERIFY(!parseGuardArguments(arguments));
        arguments.pop_back();
        QVERIFY(!parseGuardArguments(arguments));
    }
};

QTEST_APPLESS_MAIN(tst_ModeChoice)
#include "tst_ModeChoice.moc"
