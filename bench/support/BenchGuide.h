#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace velmora::bench {

/// A grainy guide of many pages made by velmora_demo_gen and served on
/// loopback by the demo server script.  Its content lives in <work>/content,
/// the server's state in <work>/server.  A server this object started is
/// stopped when it goes.
class BenchGuide {
public:
    /// Defaults of the options that differ between benchmarks.
    struct Defaults {
        QString port;
        QString runs;
        QString runsHelp;
        QString workFolder; ///< relative to the current folder
    };

    /// --pages, --port, --runs and --work.
    static QList<QCommandLineOption> options(const Defaults& defaults);
    /// JPEG quality of the pages unless told otherwise: about 490 KB an A4 page.
    static constexpr int kDefaultQuality = 85;

    /// The guide the processed options describe.
    explicit BenchGuide(const QCommandLineParser& options);
    /// The same guide with pages of JPEG quality `quality` (another file size), in a
    /// folder and on a port of its own: the options' port plus `portOffset`.
    BenchGuide(const QCommandLineParser& options, int quality, int portOffset);
    ~BenchGuide();
    BenchGuide(const BenchGuide&) = delete;
    BenchGuide& operator=(const BenchGuide&) = delete;

    /// The guide's index inside the content folder.
    static QString indexPath();

    QString contentFolder() const { return m_work + QStringLiteral("/content"); }
    QString port() const { return m_port; }
    int pages() const { return m_pages; }
    int runs() const { return m_runs; }
    int quality() const { return m_quality; }

    /// The page file names the index on disk lists, in page order; empty when
    /// there is no index.
    QStringList listedPages() const;
    /// Makes the content unless the index already lists pages() pages:
    /// rendering the pages takes far longer than any benchmark run.
    bool prepare() const;
    /// Makes the guide stand in for the Coder guide: its index and a link to
    /// its pages take the Coder guide's place (left alone when an earlier
    /// run did so for this guide).
    bool standInForCoderGuide() const;
    /// The server's timed access log (see ServerLog).
    QString timedLogPath() const { return m_work + QStringLiteral("/server/timed.log"); }
    bool startServer();
    void stopServer();

private:
    QString m_work;
    QString m_port;
    int m_pages = 0;
    int m_runs = 0;
    int m_quality = kDefaultQuality;
    bool m_serving = false;
};

} // namespace velmora::bench
