#pragma once

#include <QByteArray>
#include <QByteArrayList>

#include <optional>

namespace velmora {

/// Most page lines an index may list; a longer index is refused.
constexpr qsizetype kMaxGroupIndexPages = 100000;

/// The page file names a group index body lists, in page order (entry 0 is
/// page 1).  Lines end in CR LF (a bare LF is accepted too); a line that is
/// empty or only spaces, or whose first character is ";", is skipped; every
/// other line is kept byte for byte as written, blanks included, in
/// whatever code page the server wrote it.  Nothing when the index lists
/// more than `maxPages` pages.
std::optional<QByteArrayList> ParseGroupIndex(const QByteArray& body,
                                              qsizetype maxPages = kMaxGroupIndexPages);

} // namespace velmora
