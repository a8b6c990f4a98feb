#pragma once

#include <QString>

namespace velmora::content {

// Paths of the content server tree, relative to its root. The reader has
// the guide and video addresses built in; demo-server.sh maps the player
// page address onto the per-video pages.

/// Group index files of the two guides; their pages lie below their folder.
inline const QString coderIndex = QStringLiteral("guidesdisplayVelmora/demo/testdoc.txt");
inline const QString buyerIndex = QStringLiteral("guidesdisplayVelmora/demo/testdoc2.txt");
/// The benchmark guide written by --bench-guide.
inline const QString benchIndex = QStringLiteral("guidesdisplayVelmora/bench/benchdoc.txt");

/// Category file and video file of a kind ("Buyer" or "Coder").
inline QString categoryFile(const QString& kind) {
    return QStringLiteral("VelmoraPackage/video%1.txt").arg(kind.toLower());
}
inline QString videoFile(const QString& kind) {
    return QStringLiteral("VelmoraPackage/demo/video%1.txt").arg(kind.toLower());
}

/// The player page of one video; the server answers
/// /displaypaidVideosVelmora/demo/<kind>/pmovie.php?fname=<name>.swf with it.
inline QString playerPage(const QString& kind, const QString& name) {
    return QStringLiteral("displaypaidVideosVelmora/demo/%1/movies/%2.html").arg(kind, name);
}
/// The page the server answers for an unknown video.
inline const QString missingVideoPage =
    QStringLiteral("displaypaidVideosVelmora/demo/notfound.html");

/// The product web site's pages (served by the same demo server).
inline const QString contactPage = QStringLiteral("contactus.php");

} // namespace velmora::content
