#pragma once

#include <QByteArray>
#include <QString>

namespace velmora {

// Address helpers of the download client.  They work on plain text and
// recognise the scheme "http://" without regard to case.

/// True when `url` starts with "http://".
bool IsHttpUrl(const QString& url);

/// Strips a leading "http://" and returns the text before the first "/";
/// it may still end in ":port".
QString GetHost(const QString& url);

/// When `host` holds a ":", returns the text after the first one and cuts
/// `host` to the text before it; otherwise returns "80" and leaves `host`.
QString SplitPort(QString& host);

/// The directory of `url` as a server path: everything up to and including
/// the last "/", without scheme and host; "/" when no path is left.
QString GetDirectoryPath(const QString& url);

/// The text after the last "/" of `url` (all of it when there is none).
QString GetFileName(const QString& url);

/// Replaces every space with "%20"; nothing else is escaped.
QString EncodeSpaces(const QString& text);
/// The same for bytes (a page name as the index holds it).
QByteArray EncodeSpaces(const QByteArray& bytes);

} // namespace velmora
