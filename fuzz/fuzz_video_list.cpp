// A video list file as a server may send it: the "[R]" / "[C]" split, the
// category lookup and the shown names.

#include "VideoListFile.h"

#include <cstdint>
#include <cstdlib>

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = VideoListFile::decode(bytes);
    const QStringList names = VideoListFile::categoryNames(text);
    for (const QString& name : names) {
        if (name.contains(QLatin1String("[R]")))
            abort();
    }
    const QString wanted = names.isEmpty() ? text.left(8) : names.first();
    for (const QString& entry : VideoListFile::categoryEntries(text, wanted)) {
        if (entry.contains(QLatin1String("[C]")) || entry.contains(QLatin1String("[R]")))
            abort();
        const auto shown = VideoListFile::displayName(entry);
        if (shown && shown->size() != entry.size() - 4)
            abort();
    }
    return 0;
}
