#include "HttpResponseParser.h"

#include "HttpHeader.h"

namespace velmora {

bool HttpResponseParser::put(QByteArrayView bytes) {
    if (m_overflowed)
        return false;
    m_total += bytes.size();
    if (m_total > m_maxBytes) {
        overflow();
        return false;
    }
    if (m_headerDone) {
        m_body.append(bytes);
        return true;
    }
    // The blank line may straddle two pieces: look back three bytes only,
    // so the search stays linear however the bytes are cut.
    const qsizetype from = qMax<qsizetype>(0, m_head.size() - 3);
    m_head.append(bytes);
    const qsizetype blank = m_head.indexOf("\r\n\r\n", from);
    if (blank < 0)
        return true;
    m_headerDone = true;
    m_header = m_head.left(blank);
    const qsizetype bodyStart = blank + 4;
    if (const auto length = GetContentLength(m_header)) {
        if (*length > m_maxBytes - bodyStart) {
            overflow();
            return false;
        }
        m_body.reserve(qMax(*length, m_head.size() - bodyStart));
    }
    m_body.append(QByteArrayView(m_head).sliced(bodyStart));
    m_head = QByteArray();
    return true;
}

void HttpResponseParser::overflow() {
    m_overflowed = true;
    m_head = QByteArray();
    m_header = QByteArray();
    m_body = QByteArray();
}

HttpResponse HttpResponseParser::finish() {
    HttpResponse response;
    response.overflowed = m_overflowed;
    if (m_headerDone) {
        response.header = std::move(m_header);
        response.body = std::move(m_body);
    } else {
        response.body = std::move(m_head);
    }
    // Without a length to size it, the body grew in steps; give the slack
    // back, since a page's bytes are kept for the whole run.
    if (response.body.capacity() - response.body.size() > response.body.size() / 8)
        response.body.squeeze();
    *this = HttpResponseParser(m_maxBytes);
    return response;
}

} // namespace velmora
