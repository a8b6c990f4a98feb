// What a screen reader hears of the page viewer: its name, the counter as
// its description, and an announcement for each page turned, none for a
// page that arrives.

#include "guides/reader/PageAnnouncer.h"

#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace velmora;

class tst_PageAnnouncer : public QObject {
    Q_OBJECT
private slots:
    void announcesPageTurnsOnly() {
        QWidget window;
        QLabel counter(&window);
        QWidget viewer(&window);
        PageAnnouncer announcer(&counter);
        announcer.addViewer(&viewer, QStringLiteral("Coder's Guide"));
        window.show();
        QSignalSpy announced(&announcer, &PageAnnouncer::announced);
        const auto announcements = [&] { return announced.count(); };

        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&viewer);
        QVERIFY(reader);
        QCOMPARE(reader->text(QAccessible::Name), QStringLiteral("Coder's Guide"));

        // The first page shown, the counter refreshed after it.
        announcer.pageShown(&viewer, 0);
        counter.setText(QStringLiteral("Page 1/1"));
        QTRY_COMPARE(announcements(), 1);
        QCOMPARE(reader->text(QAccessible::Description), QStringLiteral("Page 1/1"));

        // Pages arrive: the counter grows, the page shown stays.
        for (int arrived = 2; arrived <= 5; ++arrived) {
            announcer.pageShown(&viewer, 0);
            counter.setText(QStringLiteral("Page 1/%1").arg(arrived));
            QCoreApplication::processEvents();
        }
        QCOMPARE(announcements(), 1);
        QCOMPARE(reader->text(QAccessible::Description), QStringLiteral("Page 1/5"));
        // A turn is announced, once.
        announcer.pageShown(&viewer, 1);
        counter.setText(QStringLiteral("Page 2/5"));
        QTRY_COMPARE(announcements(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(announcements(), 2);
        QCOMPARE(announced.at(1).at(0).value<QWidget*>(), &viewer);
    }
};

QTEST_MAIN(tst_PageAnnouncer)
#include "tst_PageAnnouncer.moc"
