#include "GotoPageInput.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace velmora {

std::optional<long long> GotoPageInput::pageNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    // Huge values still count as numbers; they are out of any page range,
    // so clamp them instead of overflowing the conversion.
    constexpr double kLimit = double(std::numeric_limits<int>::max()) * 2;
    if (value > kLimit)
        return static_cast<long long>(kLimit);
    if (value < -kLimit)
        return static_cast<long long>(-kLimit);
    std::fesetround(FE_TONEAREST);
    return static_cast<long long>(std::nearbyint(value));
}

} // namespace velmora
