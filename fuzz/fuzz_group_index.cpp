// A group index as a server may send it, and the request for every page it
// lists: whatever a name holds, each request is the six lines of a GET and
// nothing else reaches the wire.

#include "DownloadUrl.h"
#include "GroupIndex.h"
#include "HttpRequest.h"

#include <cstdint>
#include <cstdlib>

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray body(reinterpret_cast<const char*>(data), qsizetype(size));
    constexpr qsizetype kMaxPages = 64;
    const auto pages = ParseGroupIndex(body, kMaxPages);
    if (!pages)
        return 0;
    if (pages->size() > kMaxPages)
        abort();
    for (const QByteArray& name : *pages) {
        // Only spaces make a line blank; other white space is a name.
        if (name.isEmpty() || name.startsWith(';') || name.contains('\n') ||
            name.count(' ') == name.size())
            abort();
        const QByteArray request =
            BuildRequest(QStringLiteral("host"), EncodeSpaces("/dir/" + name));
        if (request.count('\n') != 6 || request.count("\r\n") != 6 ||
            request.indexOf("\r\n\r\n") != request.size() - 4)
            abort();
    }
    return 0;
}
