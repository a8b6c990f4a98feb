#include "ReaderScreens.h"
#include "ScriptedHttpServer.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

// Clicks the left button at `point` (screen pixels) with the X server's
// own pointer.
bool clickAt(const QPoint& point) {
    return QProcess::execute(QStringLiteral("xdotool"),
                             {QStringLiteral("mousemove"), QStringLiteral("--sync"),
                              QString::number(point.x()), QString::number(point.y()),
                              QStringLiteral("click"), QStringLiteral("1")}) == 0;
}

} // namespace

/// The go-to box under the real pointer of an X server.
class tst_GotoBoxClick : public QObject {
    Q_OBJECT
private slots:
    // The click that brings the focus into the box leaves its whole text
    // selected, so that a number typed next replaces it; the next click
    // (far enough away not to make a double click) puts the caret there.
    void clickSelectsTheWholeTextThenPlacesTheCaret() {
        ScriptedHttpServer server;
        QVERIFY(server.listen());
        ReaderScreens s(server.hostPort());
        s.fraGuide()->show();
        s.fraGuide()->raise();
        s.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.window()));
        auto* box = s.control<QLineEdit>(QStringLiteral("txtGotoPage"));
        box->setText(QStringLiteral("12"));
        box->setCursorPosition(1);
        box->clearFocus();
        QVERIFY(!box->hasFocus());

        QVERIFY(clickAt(box->mapToGlobal(box->rect().center())));
        QTRY_VERIFY(box->hasFocus());
        QTRY_COMPARE(QGuiApplication::mouseButtons(), Qt::NoButton);
        QCOMPARE(box->selectedText(), QStringLiteral("12"));

        QVERIFY(clickAt(box->mapToGlobal(QPoint(2, box->height() / 2))));
        QTRY_VERIFY(!box->hasSelectedText());
        QCOMPARE(box->cursorPosition(), 0);
    }
};

QTEST_MAIN(tst_GotoBoxClick)
#include "tst_GotoBoxClick.moc"
