#include "BitBlt.h"

#include <QVarLengthArray>

#include <algorithm>

namespace velmora {

namespace {
constexpr quint32 kRgbBits = 0x00FFFFFFu;

template <RasterOp Op> quint32 combine(quint32 d, quint32 s) {
    if constexpr (Op == SRCCOPY)
        return s;
    else if constexpr (Op == NOTSRCCOPY)
        return ~s;
    else if constexpr (Op == SRCAND)
        return d & s;
    else
        return d ^ s;
}

bool monoAt(const uchar* row, int x) {
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

// One source row in the target's terms: RGB values for a colour target,
// 0 or 1 for a 1-bit target.
void fetchRow(const uchar* row, const Surface& source, int sourceX, int width,
              const Surface& target, quint32* out) {
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

template <RasterOp Op> void storeRow(uchar* row, bool mono, int x, int width, const quint32* in) {
    if (mono) {
        // Bits are gathered in a register and each byte written once.
        int index = x >> 3;
        quint32 byte = row[index];
        for (int i = 0; i < width; ++i) {
            const int column = x + i;
            if ((column >> 3) != index) {
                row[index] = uchar(byte);
                index = column >> 3;
                byte = row[index];
            }
            const int shift = 7 - (column & 7);
            const quint32 bit = combine<Op>((byte >> shift) & 1u, in[i]) & 1u;
            byte = (byte & ~(1u << shift)) | (bit << shift);
        }
        row[index] = uchar(byte);
        return;
    }
    QRgb* pixels = reinterpret_cast<QRgb*>(row) + x;
    for (int i = 0; i < width; ++i)
        pixels[i] = (combine<Op>(pixels[i], in[i]) & kRgbBits) | 0xFF000000u;
}

using StoreRow = void (*)(uchar*, bool, int, int, const quint32*);

StoreRow storeFor(RasterOp op) {
    switch (op) {
    case SRCCOPY:
        return storeRow<SRCCOPY>;
    case NOTSRCCOPY:
        return storeRow<NOTSRCCOPY>;
    case SRCAND:
        return storeRow<SRCAND>;
    case SRCINVERT:
        return storeRow<SRCINVERT>;
    }
    return nullptr;
}
} // namespace

bool bitBlt(Surface& target, int x, int y, int width, int height, const Surface& source,
            int sourceX, int sourceY, RasterOp op) {
    const StoreRow store = storeFor(op);
    if (target.isNull() || source.isNull() || !store)
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
    // Row pointers are taken once: per-row access would re-check sharing.
    const uchar* from = source.constScanLine(0);
    const qsizetype fromStride = source.image().bytesPerLine();
    uchar* to = target.scanLine(0);
    const qsizetype toStride = target.image().bytesPerLine();
    for (int row = top; row < bottom; ++row) {
        fetchRow(from + (sourceY + row) * fromStride, source, sourceX + left, span, target,
                 buffer.data());
        store(to + (y + row) * toStride, target.isMono(), x + left, span, buffer.data());
    }
    return true;
}

} // namespace velmora
