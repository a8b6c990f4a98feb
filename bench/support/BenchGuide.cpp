#include "BenchGuide.h"

#include "GroupIndex.h"
#include "RunProgram.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace velmora::bench {

namespace {

QString serverScript() {
    return QStringLiteral(VELMORA_SOURCE_DIR "/demo/scripts/demo-server.sh");
}

} // namespace

QList<QCommandLineOption> BenchGuide::options(const Defaults& defaults) {
    return {{"pages", "Pages of the guide.", "n", "200"},
            {"port", "Loopback port of the server.", "port", defaults.port},
            {"runs", defaults.runsHelp, "n", defaults.runs},
            {"work", "Folder for the content and the server.", "dir",
             QDir::current().filePath(defaults.workFolder)}};
}

BenchGuide::BenchGuide(const QCommandLineParser& options)
    : m_work(QDir(options.value("work")).absolutePath()), m_port(options.value("port")),
      m_pages(options.value("pages").toInt()), m_runs(options.value("runs").toInt()) {}

BenchGuide::BenchGuide(const QCommandLineParser& options, int quality, int portOffset)
    : BenchGuide(options) {
    m_quality = quality;
    m_port = QString::number(m_port.toInt() + portOffset);
    if (quality != kDefaultQuality)
        m_work += QStringLiteral("-quality%1").arg(quality);
}

BenchGuide::~BenchGuide() {
    stopServer();
}

QString BenchGuide::indexPath() {
    return QStringLiteral("guidesdisplayVelmora/bench/benchdoc.txt");
}

QStringList BenchGuide::listedPages() const {
    QFile index(contentFolder() + "/" + indexPath());
    QStringList pages;
    if (index.open(QIODevice::ReadOnly)) {
        for (const QByteArray& page : ParseGroupIndex(index.readAll()).value_or(QByteArrayList()))
            pages << QString::fromUtf8(page);
    }
    return pages;
}

bool BenchGuide::prepare() const {
    if (listedPages().size() == m_pages)
        return true;
    const QString generator = QCoreApplication::applicationDirPath() + "/velmora_demo_gen";
    if (runProgram(generator, {"--bench-guide", QString::number(m_pages), "--bench-quality",
                               QString::number(m_quality), contentFolder()}) &&
        listedPages().size() == m_pages)
        return true;
    std::fprintf(stderr, "bench: generating the guide failed\n");
    return false;
}

bool BenchGuide::standInForCoderGuide() const {
    const QString coderFolder = QStringLiteral("guidesdisplayVelmora/demo");
    const QDir tree(contentFolder());
    const QString benchIndex = tree.filePath(indexPath());
    const QString coderIndex = tree.filePath(coderFolder + "/testdoc.txt");
    const QString coderPages = tree.filePath(coderFolder + "/pages");
    QFile bench(benchIndex), coder(coderIndex);
    if (!bench.open(QIODevice::ReadOnly))
        return false;
    if (coder.open(QIODevice::ReadOnly) && coder.readAll() == bench.readAll() &&
        QFileInfo(coderPages).isSymLink())
        return true;
    QFile::remove(coderIndex);
    // A link left pointing elsewhere would make the new one fail.
    QFile::remove(coderPages);
    return QFile::copy(benchIndex, coderIndex) &&
           QFile::link(QStringLiteral("../bench/pages"), coderPages);
}

bool BenchGuide::startServer() {
    m_serving = runProgram(serverScript(), {"start", contentFolder(), m_port, m_work + "/server"});
    if (!m_serving)
        std::fprintf(stderr, "bench: starting the server on port %s failed\n", qPrintable(m_port));
    return m_serving;
}

void BenchGuide::stopServer() {
    if (m_serving)
        runProgram(serverScript(), {"stop", contentFolder(), m_port, m_work + "/server"});
    m_serving = false;
}

} // namespace velmora::bench
