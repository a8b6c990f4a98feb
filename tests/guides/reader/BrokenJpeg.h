#pragma once

#include "TestImages.h"

#include <QByteArray>
#include <QSize>

namespace velmora::test {

// A JPEG whose header reads but whose data does not: its quantisation
// tables are cut out, which a decoder finds only when it starts on the scan.
inline QByteArray jpegWithoutTables(const QSize& size) {
    const QByteArray whole = encodedImage(size);
    QByteArray kept = whole.left(2);
    qsizetype at = 2;
    while (at + 4 <= whole.size() && uchar(whole.at(at)) == 0xFF) {
        const uchar marker = uchar(whole.at(at + 1));
        if (marker == 0xDA)
            break;
        const int length = (uchar(whole.at(at + 2)) << 8) | uchar(whole.at(at + 3));
        if (marker != 0xDB)
            kept += whole.mid(at, 2 + length);
        at += 2 + length;
    }
    return kept + whole.mid(at);
}

} // namespace velmora::test
