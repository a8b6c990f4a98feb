#pragma once

#include <QtGlobal>

#include <atomic>

namespace velmora {

/// How many bytes of page files the program may hold at once.  A picture
/// made against the budget takes its file's size out of it and gives it back
/// when its last copy goes, so the budget follows what the page stores
/// really keep, whoever drops a page.
class PageBudget {
public:
    /// 1 GiB: far above the guides, far below what would hurt the machine.
    static constexpr qint64 kDefaultLimit = qint64(1024) * 1024 * 1024;

    explicit PageBudget(qint64 limit = kDefaultLimit) : m_limit(limit) {}
    PageBudget(const PageBudget&) = delete;
    PageBudget& operator=(const PageBudget&) = delete;

    qint64 limit() const { return m_limit; }
    qint64 used() const { return m_used.load(); }
    /// True when `bytes` more would stay within the limit.
    bool fits(qint64 bytes) const { return bytes <= m_limit - m_used.load(); }
    void take(qint64 bytes) { m_used += bytes; }
    void give(qint64 bytes) { m_used -= bytes; }

private:
    qint64 m_limit;
    std::atomic<qint64> m_used{0};
};

} // namespace velmora
