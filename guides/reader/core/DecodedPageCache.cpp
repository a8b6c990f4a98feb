#include "DecodedPageCache.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>

namespace velmora {

DecodedPageCache::DecodedPageCache(int capacity, QObject* parent)
    : QObject(parent), m_capacity(qMax(1, capacity)) {
    // One worker: a reader needs one page at a time, and the machine's
    // other core stays free for the user interface.
    m_pool.setMaxThreadCount(1);
}

DecodedPageCache::~DecodedPageCache() {
    for (const Entry& entry : std::as_const(m_entries))
        entry.cancelled->store(true);
    m_pool.waitForDone();
}

QImage DecodedPageCache::image(const Picture& picture) const {
    for (const Entry& entry : m_entries)
        if (entry.picture.isSameAs(picture))
            return entry.image;
    return {};
}

void DecodedPageCache::keep(const QList<Picture>& wanted) {
    QList<Entry> kept;
    for (const Picture& picture : wanted) {
        if (kept.size() == m_capacity)
            break;
        if (picture.isEmpty() || std::any_of(kept.cbegin(), kept.cend(), [&](const Entry& e) {
                return e.picture.isSameAs(picture);
            }))
            continue;
        const auto held = std::find_if(m_entries.begin(), m_entries.end(),
                                       [&](const Entry& e) { return e.picture.isSameAs(picture); });
        if (held != m_entries.end()) {
            kept << *held;
            m_entries.erase(held);
            continue;
        }
        kept << Entry{picture, QImage(), std::make_shared<std::atomic_bool>(false)};
        startDecode(kept.last());
    }
    for (const Entry& dropped : std::as_const(m_entries))
        dropped.cancelled->store(true);
    m_entries = kept;
}

int DecodedPageCache::decodedCount() const {
    return int(std::count_if(m_entries.cbegin(), m_entries.cend(),
                             [](const Entry& e) { return !e.image.isNull(); }));
}

int DecodedPageCache::pendingCount() const {
    return int(m_entries.size()) - decodedCount();
}

void DecodedPageCache::startDecode(const Entry& entry) {
    m_pool.start([this, picture = entry.picture, token = entry.cancelled] {
        if (token->load())
            return;
        const QImage image = picture.toImage();
        if (token->load())
            return;
        QMetaObject::invokeMethod(
            this, [this, picture, token, image] { deliver(picture, token, image); },
            Qt::QueuedConnection);
    });
}

void DecodedPageCache::deliver(const Picture& picture,
                               const std::shared_ptr<std::atomic_bool>& token,
                               const QImage& image) {
    for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry) {
        if (entry->cancelled != token)
            continue;
        // The failed decode made the picture empty: it is let go, and no
        // later keep or paint decodes it again.
        if (image.isNull()) {
            m_entries.erase(entry);
            return;
        }
        entry->image = image;
        emit decoded(picture);
        return;
    }
}

QImage DecodedPageCache::decodeRegion(const Picture& picture, const QRect& region) {
    const QRect clip = region & QRect(QPoint(0, 0), picture.size());
    if (picture.isEmpty() || clip.isEmpty())
        return {};
    QBuffer buffer;
    buffer.setData(picture.bytes());
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setClipRect(clip);
    return reader.read();
}

} // namespace velmora
