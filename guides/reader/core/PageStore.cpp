#include "PageStore.h"

namespace velmora {

bool PageStore::store(int page, const Picture& picture) {
    if (page < 0)
        return false;
    if (page >= m_pages.size())
        m_pages.resize(page + 1);
    m_pages[page] = picture;
    return true;
}

Picture PageStore::at(int page) const {
    return contains(page) ? m_pages.at(page) : Picture();
}

qint64 PageStore::byteSize() const {
    qint64 total = 0;
    for (const Picture& picture : m_pages)
        total += picture.bytes().size();
    return total;
}

} // namespace velmora
