#include "BitBlt.h"

#include <QVarLengthArray>

#include <algorithm>

namespace velmora {

namespace {
constexpr quint32 kRgbBits = 0x00FFFFFFu;

bool known(RasterOp op) {
    return op == SRCCOPY || op == NOTSRCCOPY || op == SRCAND || op == SRCINVERT;
}

quint32 combine(RasterOp op, quint32 d, quint32 s) {
    switch (op) {
    case SRCCOPY:
        return s;
    case NOTSRCCOPY:
        return ~s;
    case SRCAND:
        return d & s;
    case SRCINVERT:
        return d ^ s;
    }
    return d;
}

bool monoAt(const uchar* row, int x) {
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

// One source row in the target's terms: RGB values for a colour target,
// 0 or 1 for a 1-bit target.
void fetchRow(const Surface& source, int sourceX, int y, int width, const Surface& target,
              quint32* out) {
    const uchar* row = source.constScanLine(y);
    if (source.isMono()) {
        const quint32 one = target.isMono() ? 1u : (target.backRgb() & kRgbBits);
        const quint32 zero = target.isMono() ? 0u : (target.textRgb() & kRgbBits);
        for (int i = 0; i < width; ++i)
            out[i] = monoAt(row, sourceX + i) ? one : zero;
        return;
    }
    const QRgb* pixels = reinterpret_cast<const QRgb*>(row) + sourceX;
    if (target.isMono()) {
        const quint32 key = source.backRgb() & kRgbBits;
        for (int i = 0; i < width; ++i)
            out[i] = (pixels[i] & kRgbBits) == key ? 1u : 0u;
    } else {
        for (int i = 0; i < width; ++i)
            out[i] = pixels[i] & kRgbBits;
    }
}

void storeRow(Surface& target, int x, int y, int width, RasterOp op, const quint32* in) {
    uchar* row = target.scanLine(y);
    if (target.isMono()) {
        for (int i = 0; i < width; ++i) {
            const int column = x + i;
            uchar& byte = row[column >> 3];
            const int shift = 7 - (column & 7);
            const quint32 bit = combine(op, (byte >> shift) & 1u, in[i]) & 1u;
            byte = uchar((byte & ~(1u << shift)) | (bit << shift));
        }
        return;
    }
    QRgb* pixels = reinterpret_cast<QRgb*>(row) + x;
    for (int i = 0; i < width; ++i)
        pixels[i] = (combine(op, pixels[i], in[i]) & kRgbBits) | 0xFF000000u;
}
} // namespace

bool bitBlt(Surface& target, int x, int y, int width, int height, const Surface& source,
            int sourceX, int sourceY, RasterOp op) {
    if (target.isNull() || source.isNull() || !known(op))
        return false;
    if (&target == &source) {
        // A copy within one surface reads the pixels as they were before it.
        const Surface before = source;
        return bitBlt(target, x, y, width, height, before, sourceX, sourceY, op);
    }
    // Clip the block to both surfaces, moving both corners together.
    const int left = std::max({0, -x, -sourceX});
    const int top = std::max({0, -y, -sourceY});
    const int right = std::min({width, target.width() - x, source.width() - sourceX});
    const int bottom = std::min({height, target.height() - y, source.height() - sourceY});
    if (right <= left || bottom <= top)
        return true;
    const int span = right - left;
    QVarLengthArray<quint32, 512> buffer(span);
    for (int row = top; row < bottom; ++row) {
        fetchRow(source, sourceX + left, sourceY + row, span, target, buffer.data());
        storeRow(target, x + left, y + row, span, op, buffer.data());
    }
    return true;
}

} // namespace velmora
