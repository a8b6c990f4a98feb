#pragma once

#include "HttpResponseParser.h"
#include "PageBudget.h"
#include "Picture.h"

#include <QByteArrayList>
#include <QString>

#include <optional>

namespace velmora {

/// What the client does after one response, in this order: show the
/// messages (each a download error), call the receiver with the page count
/// and/or the page, then connect again or stay idle.
struct ResponseOutcome {
    QStringList messages;
    std::optional<int> pageCount;
    std::optional<int> pageNumber;
    Picture picture;
    bool connectAgain = false;
};

/// The decisions of one guide fetch, free of sockets: which file to ask for
/// next, the request bytes, and what each response means.  The group index
/// comes first, then the pages it lists, one after another.
///
/// A "200" response whose body length differs from its Content-Length is
/// asked for again up to `kMaxRefetches` times; after that the file counts
/// as failed.  A failed file is reported as invalid data (a page, delivered
/// empty; the fetch goes on) or as an invalid group index (the fetch ends);
/// an index over its size bound counts as failed.  A page over its bound
/// never comes here: every page body past the bound, with or without a
/// header block, stops the fetch in the client as a communication error,
/// "File too large".  An index that lists no page, or more than
/// `kMaxGroupIndexPages`, is reported like an empty one and nothing more is
/// asked for.  A page whose bytes no longer fit the page budget is reported
/// as invalid data and delivered empty; the fetch goes on.
class DownloadSession {
public:
    static constexpr int kMaxRefetches = 3;

    /// Pages are kept against `budget`, which must outlive their pictures.
    DownloadSession(const QString& groupFileUrl, PageBudget& budget);

    /// Host name to connect to, without the port.
    const QString& host() const { return m_Host; }
    /// The port as written in the address, "80" when none is.
    const QString& port() const { return m_Port; }
    /// The request for the file due now.
    QByteArray request() const;
    /// Takes the complete response to the last request.
    ResponseOutcome handleResponse(const HttpResponse& response);

    bool indexLoaded() const { return m_IndexLoaded; }
    /// The page names, byte for byte as the index holds them.
    const QByteArrayList& pageFiles() const { return m_PageFiles; }

private:
    ResponseOutcome failFile(ResponseOutcome outcome);
    ResponseOutcome advance(ResponseOutcome outcome);
    Picture keptPicture(const HttpResponse& response, QStringList& messages);

    QString m_GroupFileURL;
    QString m_Host;
    QString m_Port;
    QByteArrayList m_PageFiles;
    PageBudget& m_budget;
    int m_FileIndex = 0;
    bool m_IndexLoaded = false;
    int m_Refetches = 0;
};

} // namespace velmora
