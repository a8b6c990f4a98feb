#include "HttpResponseParser.h"

#include "HttpHeader.h"

#include <algorithm>

namespace velmora {

bool HttpResponseParser::put(QByteArrayView bytes) {
    const std::span<char> room = prepare(bytes.size());
    const auto taken = qsizetype(room.size());
    std::copy_n(bytes.data(), taken, room.data());
    return commit(taken);
}

std::span<char> HttpResponseParser::prepare(qsizetype bytes) {
    if (m_overflowed)
        return {};
    const qsizetype room = qMin(bytes, roomLeft() + 1);
    QByteArray& buffer = tail();
    m_prepared = buffer.size();
    const qsizetype needed = m_prepared + room;
    // Grow by doubling unless a Content-Length already sized the body, so
    // pieces of any size cost linear time.
    if (needed > buffer.capacity())
        buffer.reserve(qMax(needed, 2 * buffer.capacity()));
    buffer.resize(needed);
    return {buffer.data() + m_prepared, size_t(room)};
}

bool HttpResponseParser::commit(qsizetype written) {
    if (m_overflowed)
        return false;
    tail().resize(m_prepared + written);
    if (roomLeft() < 0) {
        overflow();
        return false;
    }
    if (!m_headerDone)
        splitHeader();
    return !m_overflowed;
}

qsizetype HttpResponseParser::roomLeft() const {
    return m_headerDone ? m_maxBody - m_body.size() : m_maxBody + m_headerRoom - m_head.size();
}

void HttpResponseParser::splitHeader() {
    // The blank line may straddle two pieces: look back three bytes only,
    // so the search stays linear however the bytes are cut.
    const qsizetype blank = m_head.indexOf("\r\n\r\n", qMax<qsizetype>(0, m_prepared - 3));
    if (blank < 0)
        return;
    m_headerDone = true;
    m_header = m_head.left(blank);
    const qsizetype bodyStart = blank + 4;
    if (const auto length = GetContentLength(m_header)) {
        if (*length > m_maxBody) {
            overflow();
            return;
        }
        m_body.reserve(qMax(*length, m_head.size() - bodyStart));
    }
    m_body.append(QByteArrayView(m_head).sliced(bodyStart));
    m_head = QByteArray();
    if (m_body.size() > m_maxBody)
        overflow();
}

void HttpResponseParser::overflow() {
    m_overflowed = true;
    m_head = QByteArray();
    m_header = QByteArray();
    m_body = QByteArray();
}

HttpResponse HttpResponseParser::finish() {
    // Without a blank line the header room was body after all.
    if (!m_headerDone && m_head.size() > m_maxBody)
        overflow();
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
    *this = HttpResponseParser(m_maxBody, m_headerRoom);
    return response;
}

} // namespace velmora
