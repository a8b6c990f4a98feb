#include "DownloadSession.h"

#include "DownloadMessages.h"
#include "DownloadUrl.h"
#include "GroupIndex.h"
#include "HttpHeader.h"
#include "HttpRequest.h"

namespace velmora {

DownloadSession::DownloadSession(const QString& groupFileUrl, PageBudget& budget)
    : m_GroupFileURL(groupFileUrl), m_Host(GetHost(groupFileUrl)), m_Port(SplitPort(m_Host)),
      m_budget(budget) {}

QByteArray DownloadSession::request() const {
    // A page name goes out as the index's own bytes, whatever code page the
    // server wrote it in: decoding and encoding it again would ask for
    // another file.
    const QByteArray file =
        m_IndexLoaded ? m_PageFiles.value(m_FileIndex) : GetFileName(m_GroupFileURL).toUtf8();
    return BuildRequest(m_Host, EncodeSpaces(GetDirectoryPath(m_GroupFileURL).toUtf8() + file));
}

ResponseOutcome DownloadSession::handleResponse(const HttpResponse& response) {
    ResponseOutcome outcome;
    if (response.overflowed)
        return failFile(std::move(outcome));

    if (!response.header.isEmpty()) {
        if (GetStatusCode(response.header) != QLatin1String("200")) {
            outcome.messages << badStatusMessage();
        } else {
            // HTTP/1.0 ends the body with the close, so a missing or
            // unreadable length leaves nothing to check: take the body.
            const auto length = GetContentLength(response.header);
            if (length && *length != response.body.size()) {
                if (m_Refetches >= kMaxRefetches)
                    return failFile(std::move(outcome));
                ++m_Refetches;
                outcome.connectAgain = true;
                return outcome;
            }
        }
    }

    if (response.body.isEmpty())
        outcome.messages << emptyBodyMessage();

    if (m_IndexLoaded) {
        if (response.body.isEmpty())
            outcome.messages << invalidPageDataMessage();
        else
            outcome.picture = keptPicture(response, outcome.messages);
        outcome.pageNumber = m_FileIndex;
        return advance(std::move(outcome));
    }

    if (!response.body.isEmpty())
        m_PageFiles = ParseGroupIndex(response.body).value_or(QByteArrayList());
    if (m_PageFiles.isEmpty()) {
        outcome.messages << invalidGroupIndexMessage();
        return outcome;
    }
    outcome.pageCount = int(m_PageFiles.size());
    m_FileIndex = -1;
    m_IndexLoaded = true;
    return advance(std::move(outcome));
}

Picture DownloadSession::keptPicture(const HttpResponse& response, QStringList& messages) {
    if (!m_budget.fits(response.body.size())) {
        messages << invalidPageDataMessage();
        return {};
    }
    return PictureFromBytes(response.body, &m_budget, response.bodyOwner);
}

ResponseOutcome DownloadSession::failFile(ResponseOutcome outcome) {
    if (!m_IndexLoaded) {
        outcome.messages << invalidGroupIndexMessage();
        return outcome;
    }
    outcome.messages << invalidPageDataMessage();
    outcome.pageNumber = m_FileIndex;
    outcome.picture = Picture();
    return advance(std::move(outcome));
}

ResponseOutcome DownloadSession::advance(ResponseOutcome outcome) {
    m_Refetches = 0;
    if (m_IndexLoaded) {
        ++m_FileIndex;
        outcome.connectAgain = m_FileIndex < m_PageFiles.size();
    }
    return outcome;
}

} // namespace velmora
