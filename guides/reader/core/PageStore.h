#pragma once

#include "guides/core/Picture.h"

#include <QList>

namespace velmora {

/// One guide's pages as they arrive: element i holds page i + 1.  A new
/// store has no bounds; storing page n gives it bounds 0 .. n at least,
/// keeping what it holds.  Holds shared picture handles, never decoded
/// images, so a whole guide costs its file sizes.
class PageStore {
public:
    /// False while the store has no bounds (nothing arrived since the last clear).
    bool hasBounds() const { return !m_pages.isEmpty(); }
    /// The highest index; -1 without bounds.
    int upperBound() const { return int(m_pages.size()) - 1; }
    /// Pages that have arrived, counting from page 0 (upper bound + 1).
    int count() const { return int(m_pages.size()); }

    /// Takes the bounds away (a new group index of this guide was read).
    void clear() { m_pages.clear(); }
    /// Stores `picture` (a shared handle) at index `page`, extending the
    /// bounds when they end below it.  A negative index is refused (false).
    bool store(int page, const Picture& picture);
    /// The picture at `page`; the empty picture outside the bounds.
    Picture at(int page) const;
    bool contains(int page) const { return page >= 0 && page < m_pages.size(); }
    /// The compressed bytes held by all pages together.
    qint64 byteSize() const;

private:
    QList<Picture> m_pages;
};

} // namespace velmora
