// Which download error boxes a fetch shows when its pages keep failing: one
// row a run of responses, each written as the codes it raised and what it
// delivered, with the boxes expected on screen.

#include "DownloadMessages.h"
#include "RepeatedErrorFilter.h"
#include "TestImages.h"

#include <QTest>

using namespace velmora;

namespace {

// One response: "index" for the group index, else a page that delivered
// "picture" or "empty"; then the codes raised, in the client's order.
// "404 empty" is a page with DN1002 delivered empty; "void" is an empty
// page body (DN1003, DN1005), "blank" an empty index body (DN1003).
ResponseOutcome response(const QString& step) {
    QStringList words = step.split(QLatin1Char(' '));
    const QString delivered = words.takeLast();
    ResponseOutcome outcome;
    for (const QString& word : std::as_const(words)) {
        if (word == QLatin1String("404"))
            outcome.messages << badStatusMessage();
        else if (word == QLatin1String("void"))
            outcome.messages << emptyBodyMessage() << invalidPageDataMessage();
        else if (word == QLatin1String("blank"))
            outcome.messages << emptyBodyMessage();
        else if (word == QLatin1String("bad"))
            outcome.messages << invalidPageDataMessage();
        else if (word == QLatin1String("noindex"))
            outcome.messages << invalidGroupIndexMessage();
    }
    if (delivered != QLatin1String("index"))
        outcome.pageNumber = 0;
    if (delivered == QLatin1String("picture"))
        outcome.picture = PictureFromBytes(test::encodedImage({4, 3}));
    return outcome;
}

QStringList codes(const QStringList& messages) {
    QStringList result;
    for (const QString& message : messages)
        result << message.mid(6, 6);
    return result;
}

QStringList times(int count, const QStringList& run) {
    QStringList result;
    for (int i = 0; i < count; ++i)
        result += run;
    return result;
}

} // namespace

class tst_RepeatedErrorFilter : public QObject {
    Q_OBJECT
private slots:
    void boxes_data();
    void boxes();
};

void tst_RepeatedErrorFilter::boxes_data() {
    QTest::addColumn<QStringList>("responses");
    QTest::addColumn<QStringList>("shown");
    const QStringList voidBoxes{"DN1003", "DN1005"};

    QTest::newRow("three-failing-pages-all-shown")
        << times(3, {"404 empty"}) << times(3, {"DN1002"});
    QTest::newRow("fourth-and-later-held-back")
        << times(2000, {"404 empty"}) << times(3, {"DN1002"});
    QTest::newRow("empty-bodies-three-of-each-in-order")
        << times(50, {"void empty"}) << times(3, voidBoxes);
    QTest::newRow("a-picture-starts-the-count-again")
        << times(5, {"404 empty"}) + QStringList{"picture"} + times(5, {"404 empty"})
        << times(6, {"DN1002"});
    // Pages that fail without a box, or with another code, do not break a row.
    QTest::newRow("unreadable-page-between-keeps-the-row")
        << QStringList{"404 empty", "404 empty", "empty", "404 empty", "404 empty"}
        << times(3, {"DN1002"});
    QTest::newRow("codes-counted-apart")
        << times(5, {"404 empty", "void empty"}) << times(3, QStringList{"DN1002"} + voidBoxes);
    // A server that answers 404 with pictures still raises the same error.
    QTest::newRow("404-with-a-picture-keeps-its-row")
        << times(5, {"404 picture"}) << times(3, {"DN1002"});
    QTest::newRow("404-with-a-picture-ends-other-rows")
        << times(3, {"void empty"}) + QStringList{"404 picture", "void empty"}
        << times(3, voidBoxes) + QStringList{"DN1002"} + voidBoxes;
    QTest::newRow("budget-refusal-counts-as-unusable-data")
        << times(4, {"bad empty"}) << times(3, {"DN1005"});
    // The index is no page: its boxes are shown and start no row.
    QTest::newRow("index-boxes-shown-and-not-counted")
        << QStringList{"404 index"} + times(4, {"404 empty"}) << times(4, {"DN1002"});
    QTest::newRow("failed-index-always-shown")
        << QStringList{"blank noindex index"} << QStringList{"DN1003", "DN1004"};
}

void tst_RepeatedErrorFilter::boxes() {
    QFETCH(QStringList, responses);
    QFETCH(QStringList, shown);
    RepeatedErrorFilter filter;
    QStringList boxes;
    for (const QString& step : std::as_const(responses))
        boxes += codes(filter.boxesToShow(response(step)));
    QCOMPARE(boxes, shown);
}

QTEST_GUILESS_MAIN(tst_RepeatedErrorFilter)
#include "tst_RepeatedErrorFilter.moc"
