#pragma once

#include <QString>

namespace velmora {

/// Where the video section's files and pages lie on the content server.
/// Only "Buyer" selects the Buyer list files; any other kind reads Coder's.
namespace VideoAddresses {

/// http://<server>/VelmoraPackage/video<kind>.txt: the kind's category file.
QString categoryFile(const QString& server, const QString& kind);
/// http://<server>/VelmoraPackage/demo/video<kind>.txt: the kind's video file.
QString videoFile(const QString& server, const QString& kind);

/// The player page of the video `displayName` of `kind` ("Buyer" or
/// "Coder"; empty for any other kind).  The name keeps its spaces, but the
/// characters that would end or alter the query ('%', '&', '#', '+') are
/// percent-encoded so that the server receives the name intact.
QString playerPage(const QString& server, const QString& kind, const QString& displayName);

} // namespace VideoAddresses

} // namespace velmora
