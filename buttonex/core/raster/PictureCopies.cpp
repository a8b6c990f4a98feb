#include "PictureCopies.h"

#include "BitBlt.h"

#include <optional>

namespace velmora {

namespace {
QSize blockSize(const Surface& source, int width, int height) {
    return QSize(width == -1 ? source.width() : width, height == -1 ? source.height() : height);
}

// The key as an RGB value.  A key pixel off the source has no colour, and
// then nothing is left out rather than an arbitrary colour.
std::optional<QRgb> keyColour(const Surface& source, OleColor key, const QPoint& keyPixel) {
    if (key == kKeyFromSource)
        return source.pixel(keyPixel);
    return source.resolve(key);
}

// The source seen with `key` as its background colour, which is what turns
// it into a mask.  The copy shares the pixels and leaves the caller's
// surface as it was.
Surface keyedBy(const Surface& source, QRgb key) {
    Surface keyed = source;
    keyed.setBackColor(fromQColor(QColor::fromRgb(key)));
    return keyed;
}

// Transparent copy through two 1-bit masks: the target survives under the
// key, the source everywhere else.  Stops at the first failed step.
bool transparentCopy(Surface& target, const Surface& source, std::optional<QRgb> key,
                     const QPoint& to, const QPoint& from, const QSize& size) {
    if (!key)
        return bitBlt(target, to.x(), to.y(), size.width(), size.height(), source, from.x(),
                      from.y(), SRCCOPY);
    const Surface keyed = keyedBy(source, *key);
    const int w = size.width();
    const int h = size.height();
    Surface mask(size, Surface::Depth::Mono);
    Surface inverseMask(size, Surface::Depth::Mono);
    Surface result(size);
    Surface sourceCopy(size);
    return bitBlt(mask, 0, 0, w, h, keyed, from.x(), from.y(), SRCCOPY) &&
           bitBlt(inverseMask, 0, 0, w, h, mask, 0, 0, NOTSRCCOPY) &&
           bitBlt(result, 0, 0, w, h, target, to.x(), to.y(), SRCCOPY) &&
           bitBlt(result, 0, 0, w, h, mask, 0, 0, SRCAND) &&
           bitBlt(sourceCopy, 0, 0, w, h, source, from.x(), from.y(), SRCCOPY) &&
           bitBlt(sourceCopy, 0, 0, w, h, inverseMask, 0, 0, SRCAND) &&
           bitBlt(result, 0, 0, w, h, sourceCopy, 0, 0, SRCINVERT) &&
           bitBlt(target, to.x(), to.y(), w, h, result, 0, 0, SRCCOPY);
}
} // namespace

bool CopySurface(const Surface& source, Surface& target, RasterOp op, int targetX, int targetY,
                 int sourceX, int sourceY, int width, int height) {
    const QSize size = blockSize(source, width, height);
    return bitBlt(target, targetX, targetY, size.width(), size.height(), source, sourceX, sourceY,
                  op);
}

bool CopyMask(const Surface& source, Surface& target, OleColor key, int targetX, int targetY,
              int sourceX, int sourceY, int width, int height) {
    const QSize size = blockSize(source, width, height);
    if (source.isNull() || size.isEmpty())
        return false;
    const std::optional<QRgb> rgb = keyColour(source, key, QPoint(0, 0));
    Surface mask(size, Surface::Depth::Mono);
    if (!rgb || !bitBlt(mask, 0, 0, size.width(), size.height(), keyedBy(source, *rgb), sourceX,
                        sourceY, SRCCOPY))
        return false;
    return bitBlt(target, targetX, targetY, size.width(), size.height(), mask, 0, 0, SRCCOPY);
}

bool CopyTransparent(const Surface& source, Surface& target, OleColor key, int targetX, int targetY,
                     int sourceX, int sourceY, int width, int height) {
    const QSize size = blockSize(source, width, height);
    if (source.isNull() || size.isEmpty())
        return false;
    return transparentCopy(target, source, keyColour(source, key, QPoint(0, 0)),
                           QPoint(targetX, targetY), QPoint(sourceX, sourceY), size);
}

void DrawTransparent(Surface& target, const Surface& source, const QPoint& targetPoint,
                     const QPoint& sourcePoint, int width, int height, OleColor key) {
    if (source.isNull() || width <= 0 || height <= 0)
        return;
    transparentCopy(target, source, keyColour(source, key, QPoint(1, 1)), targetPoint, sourcePoint,
                    QSize(width, height));
}

void PaintSilhouette(const Surface& picture, Surface& result, Surface& mask, Surface& tint,
                     OleColor colour, int width, int height) {
    tint.setBackColor(colour);
    tint.clear();
    CopyMask(picture, mask, kKeyFromSource, 0, 0, 0, 0, width, height);
    CopySurface(mask, tint, SRCINVERT, 0, 0, 0, 0, width, height);
    CopyTransparent(tint, result, kKeyFromSource, 0, 0, 0, 0, width, height);
}

} // namespace velmora
