#pragma once

#include <QByteArray>
#include <QString>

namespace velmora {

/// The complete HTTP/1.0 GET request the download client sends for `path`
/// on `host` (a bare host name, no port): request line, Accept, Referer,
/// User-Agent and Host, each ending in CR LF, then the empty line.
/// The path goes out byte for byte, the host as UTF-8; control characters
/// (below 0x20 and DEL) in either are percent-escaped so no line break can
/// reach the wire and no header can be injected.  Nothing else is escaped or
/// re-encoded.
QByteArray BuildRequest(const QString& host, const QByteArray& path);

} // namespace velmora
