#pragma once

#include "guides/core/Picture.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <memory>

namespace velmora {

/// The decoded images of the few pages a reader is about to paint: the
/// page shown and its neighbours.  Decoding runs on a worker thread so the
/// user interface never waits for a whole page; what is not held can be
/// painted from a partial decode of the region on screen meanwhile.  Holds
/// at most `capacity` decoded pages, whatever the length of the guide.
class DecodedPageCache : public QObject {
    Q_OBJECT
public:
    /// The page shown and the one a reader turns to next: a decoded A4
    /// page takes about 15 MB.
    static constexpr int kDefaultCapacity = 2;

    explicit DecodedPageCache(int capacity = kDefaultCapacity, QObject* parent = nullptr);
    /// Waits for a decode under way; nothing is delivered afterwards.
    ~DecodedPageCache() override;

    int capacity() const { return m_capacity; }
    /// The whole decoded page when it is held; a null image otherwise.
    QImage image(const Picture& picture) const;
    /// Holds the first `capacity` distinct non-empty pictures of `wanted`,
    /// decoding the missing ones in the background in that order, and lets
    /// every other page go (a decode not started yet is cancelled).  A page
    /// whose decode fails is let go and is empty from then on.
    void keep(const QList<Picture>& wanted);
    /// Decoded pages held now.
    int decodedCount() const;
    /// Pages kept but not decoded yet.
    int pendingCount() const;

    /// Decodes `region` (pixels of the picture) now, without the rest of
    /// the page where the format allows; a null image when nothing of the
    /// region lies on the picture or the bytes cannot be decoded.
    static QImage decodeRegion(const Picture& picture, const QRect& region);

signals:
    /// The whole of `picture` has been decoded and is held.
    void decoded(const velmora::Picture& picture);

private:
    struct Entry {
        Picture picture;
        QImage image;
        std::shared_ptr<std::atomic_bool> cancelled;
    };

    void startDecode(const Entry& entry);
    void deliver(const Picture& picture, const std::shared_ptr<std::atomic_bool>& token,
                 const QImage& image);

    int m_capacity = kDefaultCapacity;
    QList<Entry> m_entries;
    QThreadPool m_pool;
};

} // namespace velmora
