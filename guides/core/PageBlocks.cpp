#include "PageBlocks.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>

namespace velmora {

namespace {

// The size of a huge page on x86-64; blocks start and end on one.
constexpr std::size_t kHugePage = std::size_t(2) << 20;

std::size_t roundUp(std::size_t bytes, std::size_t unit) {
    return (bytes + unit - 1) / unit * unit;
}

} // namespace

std::shared_ptr<PageBlocks> PageBlocks::create() {
    return std::shared_ptr<PageBlocks>(new PageBlocks());
}

PageBlocks::~PageBlocks() {
    for (const Block& block : m_blocks)
        ::munmap(block.data, block.size);
}

PageBlocks::Block PageBlocks::map(std::size_t bytes) {
    const std::size_t size = roundUp(bytes, kHugePage);
    // Mapped with a huge page to spare, then trimmed to a huge page's
    // boundary: only an aligned range can be backed by huge pages.
    void* mapped = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (mapped == MAP_FAILED)
        return {};
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = roundUp(start, kHugePage);
    if (aligned > start)
        ::munmap(mapped, aligned - start);
    if (const std::size_t tail = kHugePage - (aligned - start); tail > 0)
        ::munmap(reinterpret_cast<void*>(aligned + size), tail);
    auto* data = reinterpret_cast<char*>(aligned);
    // Advice only: without huge pages the block still works, page by page.
    ::madvise(data, size, MADV_HUGEPAGE);
    return {data, size, 0};
}

std::span<char> PageBlocks::reserve(qsizetype bytes) {
    m_reserved = 0;
    if (bytes <= 0)
        return {};
    const auto wanted = std::size_t(bytes);
    if (m_blocks.empty() || m_blocks.back().size - m_blocks.back().used < wanted) {
        const Block block = map(std::max(wanted, kBlockBytes));
        if (!block.data)
            return {};
        m_blocks.push_back(block);
    }
    Block& block = m_blocks.back();
    m_reserved = wanted;
    return {block.data + block.used, wanted};
}

QByteArray PageBlocks::keep(qsizetype used) {
    if (m_blocks.empty() || used <= 0 || std::size_t(used) > m_reserved) {
        m_reserved = 0;
        return {};
    }
    Block& block = m_blocks.back();
    const char* data = block.data + block.used;
    // Views start on a 16-byte boundary, as heap memory would.
    block.used = std::min(block.size, roundUp(block.used + std::size_t(used), 16));
    m_reserved = 0;
    return QByteArray::fromRawData(data, used);
}

std::size_t PageBlocks::mappedBytes() const {
    std::size_t total = 0;
    for (const Block& block : m_blocks)
        total += block.size;
    return total;
}

} // namespace velmora
