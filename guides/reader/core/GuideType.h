#pragma once

#include "platform/Kind.h"

namespace velmora {

/// The two guides, and None for any other selector text (nothing chosen).
using GuideType = Kind;

/// The guide named by `text`, compared exactly ("Coder", "Buyer").
inline GuideType guideTypeFromText(const QString& text) {
    return kindFromText(text);
}

/// The full address of the guide's group index on `contentServer`
/// ("host[:port]"); empty for None.
QString groupFileUrlFor(GuideType type, const QString& contentServer);

} // namespace velmora
