#include "Picture.h"

#include "PageBudget.h"

#include <QBuffer>
#include <QImageReader>

namespace velmora {

namespace {

// The reader takes its limit in whole megabytes.
constexpr int kAllocationLimitMb = int(Picture::kMaxDecodedBytes / (1024 * 1024));

bool withinLimit(const QSize& size) {
    return size.isValid() && !size.isEmpty() &&
           qint64(size.width()) * size.height() * 4 <= Picture::kMaxDecodedBytes;
}

QImage decode(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(kAllocationLimitMb);
    return reader.read();
}

} // namespace

Picture::Data::~Data() {
    if (budget)
        budget->give(bytes.size());
}

QImage Picture::toImage() const {
    if (isEmpty())
        return {};
    QImage image = decode(m_data->bytes);
    if (image.isNull())
        m_data->undecodable.store(true);
    return image;
}

Picture PictureFromBytes(const QByteArray& bytes, PageBudget* budget,
                         std::shared_ptr<const void> bytesOwner) {
    if (bytes.isEmpty())
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!reader.canRead())
        return {};
    QSize size = reader.size();
    if (!size.isValid()) {
        // A format that cannot tell its size from the header: decode once
        // to learn it, within the same limit.
        const QImage image = decode(bytes);
        size = image.size();
    }
    if (!withinLimit(size))
        return {};
    Picture picture;
    // Built in place: a temporary would give the budget back when it goes.
    auto data = std::make_shared<Picture::Data>();
    data->bytesOwner = std::move(bytesOwner);
    data->bytes = bytes;
    data->size = size;
    data->budget = budget;
    if (budget)
        budget->take(bytes.size());
    picture.m_data = std::move(data);
    return picture;
}

} // namespace velmora
