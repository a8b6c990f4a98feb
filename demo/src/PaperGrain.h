#pragma once

#include <QtGlobal>

class QImage;

namespace velmora {

/// Adds a deterministic grey grain of +/- `amplitude` levels to every pixel,
/// as a scanned paper page shows; it gives JPEG files a realistic size.
/// The same `seed` gives the same grain.
void addPaperGrain(QImage& image, int amplitude, quint32 seed);

} // namespace velmora
