#pragma once

#include "PageBlocks.h"

#include <QByteArray>

#include <memory>
#include <span>

namespace velmora {

/// One response as the download client reads it.
struct HttpResponse {
    /// Bytes before the first CR LF CR LF; empty when there was none.
    QByteArray header;
    /// Bytes after it, or everything when there was no blank line.
    QByteArray body;
    /// The response passed the size bound and was cut off; header and body
    /// are then empty.
    bool overflowed = false;
    /// What keeps the body's bytes alive when the body is a view into page
    /// blocks; whoever keeps the body keeps this too.
    std::shared_ptr<const void> bodyOwner;
};

/// Collects one HTTP/1.0 response, whose end is the close of the connection,
/// from the pieces the socket delivers.  It splits the header off as soon as
/// the blank line arrives and sizes the body from Content-Length, so a body
/// is held once, in a buffer of its own size, and can be handed on without a
/// copy.  The body is bounded: past `maxBodyBytes` (or at a header that
/// announces more) it stops collecting and reports the overflow; the header
/// block may take `headerRoom` bytes on top (a response without a blank line
/// is all body).  Given page blocks, a body whose length is announced is
/// received straight into a reservation there, and stays there; one that
/// runs past its announced length is moved to a buffer of its own.
class HttpResponseParser {
public:
    /// 64 MiB: far above any guide page, far below what would hurt the machine.
    static constexpr qsizetype kDefaultMaxBytes = qsizetype(64) * 1024 * 1024;

    explicit HttpResponseParser(qsizetype maxBodyBytes = kDefaultMaxBytes, qsizetype headerRoom = 0)
        : m_maxBody(maxBodyBytes), m_headerRoom(headerRoom) {}

    /// Receives bodies with an announced length into `blocks` from now on.
    void setBodyBlocks(std::shared_ptr<PageBlocks> blocks) { m_blocks = std::move(blocks); }

    /// Appends received bytes; false once the response is over the bound.
    bool put(QByteArrayView bytes);
    /// Room for up to `bytes` more bytes at the end of the response, for a
    /// reader to fill in place (no bigger than what is left under the bound,
    /// plus one byte to notice the overflow; before the header block has
    /// ended, no more than a header's piece, so that the body goes to its
    /// own place); `commit` then takes the number of bytes written.  Saves
    /// the copy that `put` of a separate piece makes.
    std::span<char> prepare(qsizetype bytes);
    /// Takes the first `written` bytes of the last `prepare`; false once the
    /// response is over the bound.
    bool commit(qsizetype written);
    bool overflowed() const { return m_overflowed; }
    /// True when the response, ended now, would be over the bound: already
    /// overflowed, or all body (no blank line) and longer than the bound.
    bool endsOverBound() const {
        return m_overflowed || (!m_headerDone && m_head.size() > m_maxBody);
    }
    /// Largest piece taken before the header block has ended.
    static constexpr qsizetype kHeadPiece = 16 * 1024;
    /// Ends the response (connection closed) and hands it over; the parser
    /// is then empty and ready for the next one, with the same bounds.
    /// A response that ends over the bound comes out overflowed.
    HttpResponse finish();

private:
    void overflow();
    QByteArray& tail() { return m_headerDone ? m_body : m_head; }
    void splitHeader();
    void moveBodyOutOfBlock();
    qsizetype bodySize() const { return m_inBlock ? m_blockUsed : m_body.size(); }
    qsizetype roomLeft() const;
    enum class Prepared { Tail, Block, Spare };

    qsizetype m_maxBody = kDefaultMaxBytes;
    qsizetype m_headerRoom = 0;
    bool m_headerDone = false;
    bool m_overflowed = false;
    qsizetype m_prepared = 0; // size of the tail before the last prepare
    Prepared m_preparedIn = Prepared::Tail;
    QByteArray m_head; // everything until the blank line
    QByteArray m_header;
    QByteArray m_body;
    // The body while it is received into a page block reservation.
    std::shared_ptr<PageBlocks> m_blocks;
    bool m_inBlock = false;
    std::span<char> m_blockRoom;
    qsizetype m_blockUsed = 0;
    // Where bytes past the reservation land: seen only when a body runs
    // past its announced length, or not at all (the end of the stream).
    QByteArray m_spare;
};

} // namespace velmora
