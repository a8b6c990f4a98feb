#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace velmora {

// Readers of a response's header block: the bytes before the first blank
// line, without it.

/// The second space-separated field of the header's first line ("200" for
/// "HTTP/1.0 200 OK"); empty when that line has no second field.
QString GetStatusCode(const QByteArray& header);

/// The value of the field `name` (matched without regard to case at the
/// start of a header line and followed by ":"), spaces trimmed at both ends;
/// empty when the field is missing.
QString GetHeaderValue(const QByteArray& header, const QString& name);

/// The Content-Length as a byte count; nothing when the field is missing or
/// is not a plain non-negative decimal number.
std::optional<qint64> GetContentLength(const QByteArray& header);

} // namespace velmora
