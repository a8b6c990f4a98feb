#include "GroupIndex.h"

#include <QTest>

using namespace velmora;

class tst_GroupIndex : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void pageLineBound();
};

void tst_GroupIndex::parse_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArrayList>("pages");
    QTest::newRow("comment-and-blank")
        << QByteArray("; the coder guide\r\npage01.jpg\r\n\r\npage02.jpg")
        << QByteArrayList{"page01.jpg", "page02.jpg"};
    QTest::newRow("three-pages-two-comments-blanks")
        << QByteArray(";a\r\np1.jpg\r\n   \r\n;b\r\np2.jpg\r\n\r\np3.jpg\r\n")
        << QByteArrayList{"p1.jpg", "p2.jpg", "p3.jpg"};
    QTest::newRow("blank-before-semicolon-is-a-name")
        << QByteArray(" ;x.jpg") << QByteArrayList{" ;x.jpg"};
    QTest::newRow("blanks-kept") << QByteArray("  p 1.jpg ") << QByteArrayList{"  p 1.jpg "};
    QTest::newRow("subdirectory") << QByteArray("sub/p.jpg") << QByteArrayList{"sub/p.jpg"};
    QTest::newRow("bare-lf") << QByteArray("a.jpg\nb.jpg\n") << QByteArrayList{"a.jpg", "b.jpg"};
    QTest::newRow("cr-at-the-end-stays")
        << QByteArray("a.jpg\r\nb.jpg\r") << QByteArrayList{"a.jpg", "b.jpg\r"};
    QTest::newRow("lone-cr-stays") << QByteArray("a\rb.jpg") << QByteArrayList{"a\rb.jpg"};
    // Names keep the server's own bytes, whatever its code page.
    QTest::newRow("utf8") << QByteArray("se\xc3\xb1or.jpg") << QByteArrayList{"se\xc3\xb1or.jpg"};
    QTest::newRow("single-byte-code-page") << QByteArray("se\xf1or.jpg\r\n\xe9t\xe9 1.jpg")
                                           << QByteArrayList{"se\xf1or.jpg", "\xe9t\xe9 1.jpg"};
    QTest::newRow("nul-kept") << QByteArray("a\0b.jpg", 7)
                              << QByteArrayList{QByteArray("a\0b.jpg", 7)};
    QTest::newRow("only-comments") << QByteArray(";a\r\n  \r\n;b") << QByteArrayList{};
    QTest::newRow("empty") << QByteArray() << QByteArrayList{};
}

void tst_GroupIndex::parse() {
    QFETCH(QByteArray, body);
    QFETCH(QByteArrayList, pages);
    const auto parsed = ParseGroupIndex(body);
    QVERIFY(parsed);
    QCOMPARE(*parsed, pages);
}

// The page-line bound counts page lines only: comments and blanks around
// them are free, one page line more is refused.
void tst_GroupIndex::pageLineBound() {
    QByteArray atBound = ";head\r\n\r\n";
    for (int i = 0; i < 5; ++i)
        atBound += "p" + QByteArray::number(i) + ".jpg\r\n;c\r\n  \r\n";
    QCOMPARE(ParseGroupIndex(atBound, 5).value_or(QByteArrayList()).size(), 5);
    QVERIFY(!ParseGroupIndex(atBound + "p5.jpg", 5));
    QCOMPARE(kMaxGroupIndexPages, 100000);
}

QTEST_APPLESS_MAIN(tst_GroupIndex)
#include "tst_GroupIndex.moc"
