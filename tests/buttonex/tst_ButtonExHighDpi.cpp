#include "HoverTicks.h"
#include "RasterTestPalette.h"

#include "ButtonEx.h"
#include "platform/HostSite.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QTest>
#include <memory>

using namespace velmora;
using namespace velmora::test;

// The button on a screen of device pixel ratio 2: the user must see the face,
// painted in logical pixels, blown up into whole 2x2 blocks, and everything
// the button measures (size, hover, event positions) must stay logical.
namespace {

constexpr qreal kRatio = 2;
constexpr QSize kCreatedSize(80, 24); // 1200 x 360 twips

struct Fixture {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    ButtonEx* button = nullptr;
    QLineEdit* other = nullptr;

    Fixture() {
        window->resize(200, 100);
        // Distinct system colours, so each pixel tells which role drew it.
        window->setPalette(rasterPalette());
        button = new ButtonEx(window.get());
        button->setSite(new HostSite(button));
        button->initProperties();
        button->setButtonFont(captionFont());
        button->move(30, 20);
        // Takes the focus, so that the face shows without its focus frame.
        other = new QLineEdit(window.get());
        other->setGeometry(30, 60, 80, 24);
    }

    bool show() {
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
        other->setFocus();
        return !button->drawDefault() && pointTo({150, 60}, window.get());
    }

    /// Puts the pointer at `local` (coordinates of `widget`).
    bool pointTo(QPoint local, const QWidget* widget) {
        const QPoint target = widget->mapToGlobal(local);
        QCursor::setPos(target);
        const bool arrived = QTest::qWaitFor([&] { return QCursor::pos() == target; });
        QCoreApplication::processEvents();
        return arrived;
    }
    bool pointTo(QPoint local) { return pointTo(local, button); }

    /// The button as the screen shows it, in device pixels.
    QImage grabbed() const {
        const QPixmap pixmap = button->grab();
        if (pixmap.devicePixelRatio() != kRatio)
            return {};
        return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    }

    /// The face each logical pixel of which is a whole 2x2 block.
    QImage faceInBlocks() const {
        const QImage& face = button->face();
        return face.scaled(face.size() * int(kRatio), Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .convertToFormat(QImage::Format_RGB32);
    }
};

// Where two pictures first differ, for a failure message that says more
// than "not equal"; empty when they are the same.
QString firstDifference(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("device pixel (%1, %2) is #%3, expected #%4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .arg(expected.pixel(x, y), 8, 16, QLatin1Char('0'));
    return {};
}

// The role letters of the 2x2 device block of face pixel (x, y); "HHHH"
// for a clean block of the highlight, mixed letters or dots for a smear.
QString block(const QImage& screen, int x, int y) {
    QString letters;
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx)
            letters += roleLetter(screen.pixel(2 * x + dx, 2 * y + dy));
    return letters;
}

QString repeated(QChar letter) {
    return QString(4, letter);
}

enum class Setup { None, Pressed, Focused };

} // namespace

Q_DECLARE_METATYPE(Setup)

class tst_ButtonExHighDpi : public QObject {
    Q_OBJECT

private slots:
    void screenIsHighDensity();
    void grabShowsFaceInWholeBlocks_data();
    void grabShowsFaceInWholeBlocks();
    void sizeStaysLogical();
    void hoverBoundaryStaysLogical();
    void mousePositionsStayLogicalTwips();
};

void tst_ButtonExHighDpi::screenIsHighDensity() {
    // Without the scale every other check here would pass vacuously.
    Fixture f;
    QVERIFY(f.show());
    QCOMPARE(f.button->devicePixelRatio(), kRatio);
}

void tst_ButtonExHighDpi::grabShowsFaceInWholeBlocks_data() {
    QTest::addColumn<Setup>("setup");
    // Role letters of face pixels (0, 0), (1, 1), (2, 2) and of
    // (w-1, h-1), (w-2, h-2), (w-3, h-3): the edges a smear would blur first.
    QTest::addColumn<QString>("topLeft");
    QTest::addColumn<QString>("bottomRight");
    QTest::newRow("raised") << Setup::None << "LHF"
                            << "DSF";
    // A click takes the focus, so the pressed face carries the frame too:
    // the window-frame line, then one flat line of button shadow.
    QTest::newRow("pressed") << Setup::Pressed << "KSF"
                             << "KSF";
    // The focus frame adds a one-pixel outline and a dotted rectangle.
    QTest::newRow("focused") << Setup::Focused << "KLH"
                             << "KDS";
}

void tst_ButtonExHighDpi::grabShowsFaceInWholeBlocks() {
    QFETCH(Setup, setup);
    QFETCH(QString, topLeft);
    QFETCH(QString, bottomRight);
    Fixture f;
    QVERIFY(f.show());
    if (setup == Setup::Pressed) {
        QTest::mousePress(f.button, Qt::LeftButton, {}, {10, 10});
        QCOMPARE(f.button->state(), int(Pressed));
    } else if (setup == Setup::Focused) {
        f.button->setFocus();
        QTRY_VERIFY(f.button->drawDefault());
    }

    const QImage screen = f.grabbed();
    const QImage expected = f.faceInBlocks();
    // The held button would otherwise carry over into the next test's moves.
    if (setup == Setup::Pressed)
        QTest::mouseRelease(f.button, Qt::LeftButton, {}, {10, 10});
    QVERIFY2(!screen.isNull(), "the grab is not at device pixel ratio 2");
    QCOMPARE(screen.size(), kCreatedSize * int(kRatio));
    QCOMPARE(firstDifference(screen, expected), QString());

    const int right = kCreatedSize.width() - 1;
    const int bottom = kCreatedSize.height() - 1;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(block(screen, i, i), repeated(topLeft.at(i)));
        QCOMPARE(block(screen, right - i, bottom - i), repeated(bottomRight.at(i)));
    }
}

void tst_ButtonExHighDpi::sizeStaysLogical() {
    Fixture f;
    QVERIFY(f.show());
    QCOMPARE(f.button->size(), kCreatedSize);
    QCOMPARE(f.button->face().size(), kCreatedSize);
    QCOMPARE(f.button->face().devicePixelRatio(), 1.0);

    f.button->resize(101, 33);
    QCOMPARE(f.button->face().size(), QSize(101, 33));
    QCOMPARE(f.grabbed().size(), QSize(202, 66));
    QCOMPARE(firstDifference(f.grabbed(), f.faceInBlocks()), QString());
}

void tst_ButtonExHighDpi::hoverBoundaryStaysLogical() {
    Fixture f;
    QVERIFY(f.show());
    QVERIFY(f.pointTo({10, 10}));
    QVERIFY(f.pointTo({11, 10}));
    QTRY_COMPARE(f.button->state(), int(Hover));

    // The logical column and row just past the face still count as inside,
    // though on this screen they are two device pixels further out.
    QVERIFY(f.pointTo({80, 24}));
    QVERIFY(test::hoverTicked(*f.button));
    QCOMPARE(f.button->state(), int(Hover));
    QVERIFY(f.pointTo({80, 25}));
    QTRY_COMPARE(f.button->state(), int(Normal));
    QTRY_VERIFY(!f.button->hoverTimerActive());
}

void tst_ButtonExHighDpi::mousePositionsStayLogicalTwips() {
    Fixture f;
    QVERIFY(f.show());
    QList<QPointF> downs;
    QObject::connect(f.button, &ButtonEx::MouseDown,
                     [&downs](short&, short&, float& x, float& y) { downs << QPointF(x, y); });
    QTest::mousePress(f.button, Qt::LeftButton, {}, {11, 10});
    QTest::mouseRelease(f.button, Qt::LeftButton, {}, {11, 10});
    QTest::mousePress(f.button, Qt::LeftButton, {}, {79, 23});
    QTest::mouseRelease(f.button, Qt::LeftButton, {}, {79, 23});
    QCOMPARE(downs, (QList<QPointF>{{165, 150}, {1185, 345}}));
}

int main(int argc, char** argv) {
    // The ratio must be in place before the application reads the screens.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(kRatio));
    QApplication app(argc, argv);
    tst_ButtonExHighDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ButtonExHighDpi.moc"
