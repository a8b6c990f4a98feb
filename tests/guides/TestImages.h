#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>

namespace velmora::test {

/// The bytes of a one-colour image of `size` saved in `format`.
inline QByteArray encodedImage(const QSize& size, const char* format = "JPEG") {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace velmora::test
