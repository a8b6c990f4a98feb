// Bytes received as a page: the picture made from them, then its decoding
// as the viewer asks for it.  A picture never claims a size it cannot have.

#include "Picture.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

using namespace velmora;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The image formats are plugins, found through the application.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const Picture picture = PictureFromBytes(bytes);
    if (picture.isEmpty())
        return 0;
    if (picture.width() <= 0 || picture.height() <= 0 ||
        qint64(picture.width()) * picture.height() * 4 > Picture::kMaxDecodedBytes)
        abort();
    const QImage image = picture.toImage();
    if (!image.isNull() && qint64(image.width()) * image.height() * 4 > Picture::kMaxDecodedBytes)
        abort();
    return 0;
}
