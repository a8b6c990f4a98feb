// velmora_demo_gen: writes the demo content server tree (guides, video lists,
// player pages, the web site's contact page) into a folder.

#include "ContentPaths.h"
#include "DemoResources.h"
#include "GuideDocument.h"
#include "GuidePagePainter.h"
#include "GuideWriter.h"
#include "OutputTree.h"
#include "SiteWriter.h"
#include "VideoCatalog.h"
#include "VideoWriter.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextStream>

namespace {

using namespace velmora;

// Benchmark pages: A4 at 200 dpi with a grain that brings a page to about
// half a megabyte, like a scanned page.
constexpr QSize kBenchPageSize{1654, 2339};
constexpr int kBenchGrain = 4;
constexpr int kBenchQuality = 85;
constexpr int kMaxBenchPages = 9999;

bool loadGuide(const char* resource, GuideDocument& document, QString& error) {
    return GuideDocument::parse(QString::fromUtf8(readDemoResource(resource)), document, error);
}

int fail(const QString& message) {
    QTextStream(stderr) << "velmora_demo_gen: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    // Pages are painted into images; no window system is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("velmora_demo_gen"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes the Velmora demo content server tree into <output-dir>. "
                       "An existing output folder made by this tool is emptied first."));
    parser.addHelpOption();
    const QCommandLineOption benchOption(
        QStringLiteral("bench-guide"),
        QStringLiteral("Also write a benchmark guide of <pages> grainy %1 x %2 pages under %3.")
            .arg(kBenchPageSize.width())
            .arg(kBenchPageSize.height())
            .arg(content::benchIndex),
        QStringLiteral("pages"));
    parser.addOption(benchOption);
    const QCommandLineOption qualityOption(
        QStringLiteral("bench-quality"),
        QStringLiteral("JPEG quality of the benchmark pages (default %1): lower, smaller files.")
            .arg(kBenchQuality),
        QStringLiteral("quality"), QString::number(kBenchQuality));
    parser.addOption(qualityOption);
    parser.addPositionalArgument(QStringLiteral("output-dir"),
                                 QStringLiteral("Folder to write the tree into."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        return fail(QStringLiteral("expected exactly one output folder; see --help"));
    int benchPages = 0;
    if (parser.isSet(benchOption)) {
        bool number = false;
        benchPages = parser.value(benchOption).toInt(&number);
        if (!number || benchPages < 1 || benchPages > kMaxBenchPages)
            return fail(QStringLiteral("--bench-guide takes a page count from 1 to %1")
                            .arg(kMaxBenchPages));
    }
    bool qualityNumber = false;
    const int benchQuality = parser.value(qualityOption).toInt(&qualityNumber);
    if (!qualityNumber || benchQuality < 1 || benchQuality > 100)
        return fail(QStringLiteral("--bench-quality takes a JPEG quality from 1 to 100"));

    QElapsedTimer clock;
    clock.start();
    QString error;
    GuideDocument coder;
    GuideDocument buyer;
    VideoCatalog videos;
    if (!loadGuide("coder-guide.txt", coder, error) ||
        !loadGuide("buyer-guide.txt", buyer, error) ||
        !VideoCatalog::parse(readDemoResource("videos.json"), videos, error))
        return fail(error);

    OutputTree tree(parser.positionalArguments().constFirst());
    if (!tree.prepare())
        return fail(tree.error());
    GuideWriter guides(tree);
    const QSize pageSize = GuidePagePainter::designSize;
    const int coderPages =
        guides.write(coder, {content::coderIndex, QStringLiteral("coder"), pageSize});
    const int buyerPages =
        guides.write(buyer, {content::buyerIndex, QStringLiteral("buyer"), pageSize});
    const int players = VideoWriter(tree, readDemoResource("player.html"))
                            .write(videos, {{QStringLiteral("Coder"), coder.accent},
                                            {QStringLiteral("Buyer"), buyer.accent}});
    SiteWriter(tree).write();
    if (benchPages > 0)
        guides.write(coder, {content::benchIndex, QStringLiteral("pages"), kBenchPageSize,
                             benchPages, kBenchGrain, benchQuality});
    tree.finish();
    if (!tree.ok())
        return fail(tree.error());

    QTextStream(stdout) << "Wrote " << tree.root() << ": Coder guide " << coderPages
                        << " pages, Buyer guide " << buyerPages << " pages, " << players
                        << " player pages"
                        << (benchPages ? QStringLiteral(", bench guide %1 pages").arg(benchPages)
                                       : QString())
                        << " in " << clock.elapsed() << " ms\n";
    return 0;
}
