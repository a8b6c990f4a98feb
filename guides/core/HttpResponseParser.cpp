#include "HttpResponseParser.h"

#include "HttpHeader.h"

#include <algorithm>

namespace velmora {

bool HttpResponseParser::put(QByteArrayView bytes) {
    while (!bytes.isEmpty()) {
        const std::span<char> room = prepare(bytes.size());
        const auto taken = qsizetype(room.size());
        std::copy_n(bytes.data(), taken, room.data());
        if (!commit(taken))
            return false;
        if (taken == 0)
            break;
        bytes = bytes.sliced(taken);
    }
    return !m_overflowed;
}

std::span<char> HttpResponseParser::prepare(qsizetype bytes) {
    if (m_overflowed)
        return {};
    qsizetype room = qMin(bytes, roomLeft() + 1);
    if (m_inBlock) {
        const qsizetype left = qsizetype(m_blockRoom.size()) - m_blockUsed;
        if (left > 0) {
            m_preparedIn = Prepared::Block;
            return m_blockRoom.subspan(size_t(m_blockUsed), size_t(qMin(room, left)));
        }
        m_preparedIn = Prepared::Spare;
        m_spare.resize(room);
        return {m_spare.data(), size_t(room)};
    }
    if (!m_headerDone)
        room = qMin(room, kHeadPiece);
    m_preparedIn = Prepared::Tail;
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
    switch (m_preparedIn) {
    case Prepared::Block:
        m_blockUsed += written;
        break;
    case Prepared::Spare:
        if (written > 0) {
            // Longer than announced: the reservation cannot take it.
            moveBodyOutOfBlock();
            m_body.append(QByteArrayView(m_spare).first(written));
        }
        m_spare = QByteArray();
        break;
    case Prepared::Tail:
        tail().resize(m_prepared + written);
        break;
    }
    m_preparedIn = Prepared::Tail;
    if (roomLeft() < 0) {
        overflow();
        return false;
    }
    if (!m_headerDone)
        splitHeader();
    return !m_overflowed;
}

qsizetype HttpResponseParser::roomLeft() const {
    return m_headerDone ? m_maxBody - bodySize() : m_maxBody + m_headerRoom - m_head.size();
}

void HttpResponseParser::splitHeader() {
    // The blank line may straddle two pieces: look back three bytes only,
    // so the search stays linear however the bytes are cut.
    const qsizetype blank = m_head.indexOf("\r\n\r\n", qMax<qsizetype>(0, m_prepared - 3));
    if (blank < 0)
        return;
    m_headerDone = true;
    m_header = m_head.left(blank);
    const QByteArrayView received = QByteArrayView(m_head).sliced(blank + 4);
    if (const auto length = GetContentLength(m_header)) {
        if (*length > m_maxBody) {
            overflow();
            return;
        }
        if (m_blocks && *length > 0 && received.size() <= *length)
            m_blockRoom = m_blocks->reserve(*length);
        if (!m_blockRoom.empty()) {
            m_inBlock = true;
            std::copy_n(received.data(), received.size(), m_blockRoom.data());
            m_blockUsed = received.size();
        } else {
            m_body.reserve(qMax(*length, received.size()));
        }
    }
    if (!m_inBlock)
        m_body.append(received);
    m_head = QByteArray();
    if (bodySize() > m_maxBody)
        overflow();
}

void HttpResponseParser::moveBodyOutOfBlock() {
    if (!m_inBlock)
        return;
    m_body = QByteArray(m_blockRoom.data(), m_blockUsed);
    m_blocks->abandon();
    m_inBlock = false;
    m_blockRoom = {};
    m_blockUsed = 0;
}

void HttpResponseParser::overflow() {
    if (m_inBlock)
        m_blocks->abandon();
    m_inBlock = false;
    m_blockRoom = {};
    m_blockUsed = 0;
    m_overflowed = true;
    m_head = QByteArray();
    m_header = QByteArray();
    m_body = QByteArray();
}

HttpResponse HttpResponseParser::finish() {
    // Without a blank line the header room was body after all.
    if (endsOverBound())
        overflow();
    // Short of its announced length the body is no page (it is asked for
    // again): its bytes do not stay in the guide's blocks.
    if (m_inBlock && m_blockUsed < qsizetype(m_blockRoom.size()))
        moveBodyOutOfBlock();
    HttpResponse response;
    response.overflowed = m_overflowed;
    if (m_inBlock) {
        response.header = std::move(m_header);
        response.body = m_blocks->keep(m_blockUsed);
        if (!response.body.isEmpty())
            response.bodyOwner = m_blocks;
    } else if (m_headerDone) {
        response.header = std::move(m_header);
        response.body = std::move(m_body);
    } else {
        response.body = std::move(m_head);
    }
    // Without a length to size it, the body grew in steps; give the slack
    // back, since a page's bytes are kept for the whole run.
    if (!response.bodyOwner &&
        response.body.capacity() - response.body.size() > response.body.size() / 8)
        response.body.squeeze();
    std::shared_ptr<PageBlocks> blocks = std::move(m_blocks);
    *this = HttpResponseParser(m_maxBody, m_headerRoom);
    m_blocks = std::move(blocks);
    return response;
}

} // namespace velmora
