#include "PaperGrain.h"

#include <QImage>

namespace velmora {

namespace {

quint8 clampChannel(int value) {
    return quint8(qBound(0, value, 255));
}

} // namespace

void addPaperGrain(QImage& image, int amplitude, quint32 seed) {
    if (amplitude <= 0)
        return;
    if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    // xorshift32: fast and reproducible, which is all a grain needs.
    quint32 state = seed ? seed : 0x9e3779b9u;
    const int span = 2 * amplitude + 1;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int delta = int(state % quint32(span)) - amplitude;
            const QRgb pixel = line[x];
            line[x] = qRgb(clampChannel(qRed(pixel) + delta), clampChannel(qGreen(pixel) + delta),
                           clampChannel(qBlue(pixel) + delta));
        }
    }
}

} // namespace velmora
