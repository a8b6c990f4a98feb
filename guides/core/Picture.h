#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <atomic>
#include <memory>

namespace velmora {

class PageBudget;

/// A page picture: a cheap handle to shared, immutable data.  Copies share
/// the same picture (a page store holds a reference, not a copy).  A picture
/// keeps the compressed image bytes and the pixel size read from the image
/// header; it decodes only when asked (`toImage`), so a guide held for the
/// whole run costs its file sizes, not its decoded sizes.  A default
/// constructed picture is the empty picture: no image, null size.  A
/// picture whose header reads but whose first full decode fails counts as
/// the empty picture from then on, in every copy, and is never decoded again.
class Picture {
public:
    /// Largest decoded image (bytes at 32 bits a pixel) a picture accepts;
    /// a header that declares more makes an empty picture.
    static constexpr qint64 kMaxDecodedBytes = qint64(256) * 1024 * 1024;

    Picture() = default;

    bool isEmpty() const { return !m_data || m_data->undecodable.load(); }
    /// Pixel size from the image header; invalid for the empty picture.
    QSize size() const { return isEmpty() ? QSize() : m_data->size; }
    int width() const { return size().width(); }
    int height() const { return size().height(); }
    /// The image file's bytes as received (shared, not copied; possibly a
    /// view into the guide's page blocks, valid while this picture lives).
    QByteArray bytes() const { return m_data ? m_data->bytes : QByteArray(); }
    /// Decodes the image now; a null image for the empty picture or when the
    /// bytes turn out undecodable, which makes the picture empty.  Nothing
    /// of the result is kept here.  Safe on any thread.
    QImage toImage() const;

    /// Same shared picture (identity, not equal pixels).
    bool isSameAs(const Picture& other) const { return m_data == other.m_data; }

private:
    struct Data {
        std::shared_ptr<const void> bytesOwner; // keeps a view's bytes alive
        QByteArray bytes;
        QSize size;
        PageBudget* budget = nullptr; // given the bytes back at the end
        ~Data();
        // Set once by a failed decode, read by every thread that asks.
        mutable std::atomic_bool undecodable{false};
    };
    std::shared_ptr<const Data> m_data;

    friend Picture PictureFromBytes(const QByteArray& bytes, PageBudget* budget,
                                    std::shared_ptr<const void> bytesOwner);
};

/// The picture in `bytes`, the complete content of an image file in any
/// format Qt's image readers know (JPEG for the guides).  Reads only the
/// header; bytes that are not a readable image, or an image whose declared
/// size is beyond the decoding limit, give the empty picture.  Never throws,
/// never shows anything.  With a `budget`, a picture that is made takes the
/// size of `bytes` out of it until its last copy goes (the caller checks
/// first that they fit).  When `bytes` is a view of memory held by
/// `bytesOwner`, the picture holds that owner for as long as it lives.
Picture PictureFromBytes(const QByteArray& bytes, PageBudget* budget = nullptr,
                         std::shared_ptr<const void> bytesOwner = nullptr);

} // namespace velmora
