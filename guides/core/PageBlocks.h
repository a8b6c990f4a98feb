#pragma once

#include <QByteArray>

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

namespace velmora {

/// The bytes of one guide's pages, kept in a few large blocks of memory
/// made for that guide instead of one heap allocation per page: a block is
/// advised for huge pages, so the system sets it up in a few large steps
/// rather than one small page at a time.  Bytes are received straight into
/// a reservation, kept as a view (`keep`), and every block is given back to
/// the system at once when the last holder of the set goes (the guide's
/// download client and the pictures made from its views).  One thread
/// reserves; views may be read from any.
class PageBlocks {
public:
    /// A block's size unless one reservation needs more.
    static constexpr std::size_t kBlockBytes = std::size_t(32) << 20;

    static std::shared_ptr<PageBlocks> create();
    ~PageBlocks();
    PageBlocks(const PageBlocks&) = delete;
    PageBlocks& operator=(const PageBlocks&) = delete;

    /// Room for `bytes` (> 0) after everything kept, in a new block when
    /// the current one is too full; empty when the system gives no memory.
    /// Replaces a reservation not kept yet.
    std::span<char> reserve(qsizetype bytes);
    /// Keeps the first `used` bytes of the reservation and gives the rest
    /// back: a view of them, valid as long as this set lives.
    QByteArray keep(qsizetype used);
    /// Gives the whole reservation back.
    void abandon() { m_reserved = 0; }

    /// Memory set aside for the blocks (not all of it touched).
    std::size_t mappedBytes() const;

private:
    PageBlocks() = default;

    struct Block {
        char* data = nullptr;
        std::size_t size = 0;
        std::size_t used = 0;
    };
    static Block map(std::size_t bytes);

    std::vector<Block> m_blocks;
    std::size_t m_reserved = 0; // bytes reserved after the last block's used ones
};

} // namespace velmora
