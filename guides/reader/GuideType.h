#pragma once

#include <QString>

namespace velmora {

/// The two guides, and None for any other selector text (nothing chosen).
enum class GuideType { None, Coder, Buyer };

/// The guide named by `text`, compared exactly ("Coder", "Buyer").
GuideType guideTypeFromText(const QString& text);

/// The full address of the guide's group index on `contentServer`
/// ("host[:port]"); empty for None.
QString groupFileUrlFor(GuideType type, const QString& contentServer);

} // namespace velmora
