// A response as the socket may cut it: the first byte picks the piece size,
// the rest is the response.  Checks what the parser promises: the split is
// at the first blank line, nothing of the bytes is lost or added, and the
// bound holds.

#include "HttpHeader.h"
#include "HttpResponseParser.h"

#include <cstdint>
#include <cstdlib>

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const qsizetype piece = 1 + data[0] % 64;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    constexpr qsizetype kBound = 4096;
    HttpResponseParser parser(kBound, 256);
    bool within = true;
    for (qsizetype at = 0; at < bytes.size() && within; at += piece)
        within = parser.put(QByteArrayView(bytes).sliced(at, qMin(piece, bytes.size() - at)));
    const HttpResponse response = parser.finish();
    if (response.overflowed) {
        if (!response.header.isEmpty() || !response.body.isEmpty())
            abort();
        return 0;
    }
    if (response.body.size() > kBound)
        abort();
    const qsizetype blank = bytes.indexOf("\r\n\r\n");
    const bool split =
        blank < 0 ? response.header.isEmpty() && response.body == bytes
                  : response.header == bytes.left(blank) && response.body == bytes.mid(blank + 4);
    if (!split)
        abort();

    const QString status = GetStatusCode(response.header);
    if (status.contains(QLatin1Char(' ')) || status.contains(QLatin1String("\r\n")))
        abort();
    const QString length = GetHeaderValue(response.header, QStringLiteral("Content-Length"));
    if (length.contains(QLatin1String("\r\n")) || length != length.trimmed())
        abort();
    const auto number = GetContentLength(response.header);
    if (number && *number < 0)
        abort();
    return 0;
}
