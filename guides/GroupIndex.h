#pragma once

#include <QByteArray>
#include <QStringList>

namespace velmora {

/// The page file names a group index body lists, in page order (entry 0 is
/// page 1).  Lines end in CR LF (a bare LF is accepted too); a line that is
/// empty or only spaces, or whose first character is ";", is skipped; every
/// other line is kept exactly as written (UTF-8), blanks included.
QStringList ParseGroupIndex(const QByteArray& body);

} // namespace velmora
