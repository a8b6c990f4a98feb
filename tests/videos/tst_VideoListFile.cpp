#include "videos/VideoListFile.h"

#include <QTest>

using namespace velmora;

class tst_VideoListFile : public QObject {
    Q_OBJECT
private slots:
    void categoryNames_data();
    void categoryNames();
    void categoryEntries_data();
    void categoryEntries();
    void displayName_data();
    void displayName();
    void decode_data();
    void decode();
};

void tst_VideoListFile::categoryNames_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("empty-text") << QString() << QStringList();
    QTest::newRow("one-record") << "All[R]a.swf[R]" << QStringList{"All"};
    QTest::newRow("three-records-final-piece-not-a-category")
        << "All[R]a.swf[C]b.swf[R]Start[R]a.swf[R]Pay[R][R]" << QStringList{"All", "Start", "Pay"};
    QTest::newRow("missing-final-marker-reads-the-same")
        << "All[R]a.swf[R]Start[R]b.swf" << QStringList{"All", "Start"};
    QTest::newRow("trailing-text-after-final-marker-is-not-a-category")
        << "All[R]a.swf[R]Stray" << QStringList{"All"};
    QTest::newRow("lower-case-marker-is-text") << "All[r]x[R]a.swf[R]" << QStringList{"All[r]x"};
    QTest::newRow("names-keep-their-spaces") << " All [R]a.swf[R]" << QStringList{" All "};
    QTest::newRow("line-break-stays-in-name") << "All\n[R]a.swf[R]" << QStringList{"All\n"};
    QTest::newRow("no-marker-at-all") << "just text" << QStringList();
    QString many;
    QStringList first;
    for (int i = 0; i <= 10000; ++i) {
        many += QStringLiteral("n%1[R]a.swf[R]").arg(i);
        if (i < 10000)
            first << QStringLiteral("n%1").arg(i);
    }
    QTest::newRow("names-past-10000-dropped") << many << first;
}

void tst_VideoListFile::categoryNames() {
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    QCOMPARE(VideoListFile::categoryNames(text), names);
}

void tst_VideoListFile::categoryEntries_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QStringList>("entries");
    const QString file = "All[R]Posting a project.swf[C]Choosing a coder.swf[R]"
                         "Getting started[R]Posting a project.swf[R]";
    QTest::newRow("all-record") << file << "All"
                                << QStringList{"Posting a project.swf", "Choosing a coder.swf"};
    QTest::newRow("second-record")
        << file << "Getting started" << QStringList{"Posting a project.swf"};
    QTest::newRow("spaces-around-file-name-match") << " All [R]a.swf[R]"
                                                   << "All" << QStringList{"a.swf"};
    QTest::newRow("spaces-around-wanted-name-match") << "All[R]a.swf[R]"
                                                     << "  All " << QStringList{"a.swf"};
    QTest::newRow("case-differs-no-match") << "All[R]a.swf[R]"
                                           << "all" << QStringList();
    QTest::newRow("tab-is-not-trimmed") << "\tAll[R]a.swf[R]"
                                        << "All" << QStringList();
    QTest::newRow("empty-list-gives-nothing") << "All[R][R]Other[R]b.swf[R]"
                                              << "All" << QStringList();
    QTest::newRow("no-all-record") << "Start[R]a.swf[R]"
                                   << "All" << QStringList();
    QTest::newRow("empty-text") << QString() << "All" << QStringList();
    QTest::newRow("first-match-wins") << "All[R]a.swf[R]All[R]b.swf[R]"
                                      << "All" << QStringList{"a.swf"};
    QTest::newRow("list-is-never-a-name") << "Start[R]All[R]"
                                          << "All" << QStringList();
    QTest::newRow("lower-case-entry-marker-is-text") << "All[R]a.swf[c]b.swf[R]"
                                                     << "All" << QStringList{"a.swf[c]b.swf"};
    QTest::newRow("record-without-list-at-end") << "Start[R]a.swf[R]All"
                                                << "All" << QStringList();
    QTest::newRow("empty-entries-kept-for-the-caller") << "All[R]a.swf[C][R]"
                                                       << "All" << QStringList{"a.swf", ""};
    QString many = "All[R]";
    QStringList first;
    for (int i = 0; i <= 10000; ++i) {
        many += QStringLiteral("e%1.swf[C]").arg(i);
        if (i < 10000)
            first << QStringLiteral("e%1.swf").arg(i);
    }
    many.chop(3);
    QTest::newRow("entries-past-10000-dropped") << many + "[R]"
                                                << "All" << first;
    // The bound is on what is read out, not on how far the record is looked for.
    QString late;
    for (int i = 0; i < 20000; ++i)
        late += "x[R]a.swf[R]";
    QTest::newRow("record-after-20000-records-found") << late + "All[R]b.swf[R]"
                                                      << "All" << QStringList{"b.swf"};
}

void tst_VideoListFile::categoryEntries() {
    QFETCH(QString, text);
    QFETCH(QString, category);
    QFETCH(QStringList, entries);
    QCOMPARE(VideoListFile::categoryEntries(text, category), entries);
}

void tst_VideoListFile::displayName_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("name");
    QTest::newRow("swf-cut") << "Posting a project.swf" << true << "Posting a project";
    QTest::newRow("any-four-cut") << "Choosing.mp4" << true << "Choosing";
    QTest::newRow("exactly-four") << ".swf" << true << "";
    QTest::newRow("three-not-shown") << "swf" << false << "";
    QTest::newRow("empty-not-shown") << "" << false << "";
}

void tst_VideoListFile::displayName() {
    QFETCH(QString, entry);
    QFETCH(bool, shown);
    QFETCH(QString, name);
    const auto result = VideoListFile::displayName(entry);
    QCOMPARE(result.has_value(), shown);
    if (shown)
        QCOMPARE(*result, name);
}

void tst_VideoListFile::decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("All[R]a.swf[R]") << "All[R]a.swf[R]";
    QTest::newRow("utf8") << QByteArray("Caf\xc3\xa9.swf") << QString::fromUtf8("Café.swf");
    QTest::newRow("latin1-fallback") << QByteArray("Caf\xe9.swf") << QString::fromUtf8("Café.swf");
    QTest::newRow("empty") << QByteArray() << QString();
}

void tst_VideoListFile::decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(VideoListFile::decode(bytes), text);
}

QTEST_APPLESS_MAIN(tst_VideoListFile)
#include "tst_VideoListFile.moc"
