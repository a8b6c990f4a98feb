#include "GroupIndex.h"

#include <QTest>

using namespace velmora;

class tst_GroupIndex : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
};

void tst_GroupIndex::parse_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("pages");
    QTest::newRow("comment-and-blank")
        << QByteArray("; the coder guide\r\npage01.jpg\r\n\r\npage02.jpg")
        << QStringList{"page01.jpg", "page02.jpg"};
    QTest::newRow("three-pages-two-comments-blanks")
        << QByteArray(";a\r\np1.jpg\r\n   \r\n;b\r\np2.jpg\r\n\r\np3.jpg\r\n")
        << QStringList{"p1.jpg", "p2.jpg", "p3.jpg"};
    QTest::newRow("blank-before-semicolon-is-a-name")
        << QByteArray(" ;x.jpg") << QStringList{" ;x.jpg"};
    QTest::newRow("blanks-kept") << QByteArray("  p 1.jpg ") << QStringList{"  p 1.jpg "};
    QTest::newRow("subdirectory") << QByteArray("sub/p.jpg") << QStringList{"sub/p.jpg"};
    QTest::newRow("bare-lf") << QByteArray("a.jpg\nb.jpg\n") << QStringList{"a.jpg", "b.jpg"};
    QTest::newRow("lone-cr-stays") << QByteArray("a\rb.jpg") << QStringList{"a\rb.jpg"};
    QTest::newRow("utf8") << QByteArray("se\xc3\xb1or.jpg") << QStringList{u"se\u00f1or.jpg"_qs};
    QTest::newRow("only-comments") << QByteArray(";a\r\n  \r\n;b") << QStringList{};
    QTest::newRow("empty") << QByteArray() << QStringList{};
}

void tst_GroupIndex::parse() {
    QFETCH(QByteArray, body);
    QFETCH(QStringList, pages);
    QCOMPARE(ParseGroupIndex(body), pages);
}

QTEST_APPLESS_MAIN(tst_GroupIndex)
#include "tst_GroupIndex.moc"
