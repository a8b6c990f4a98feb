#include "Guide.h"

#include "guides/GuideGlobals.h"

namespace velmora {

Guides::Guides()
    : m_guides{Guide{GuideType::Coder, g_CoderFetched, {}, nullptr},
               Guide{GuideType::Buyer, g_BuyerFetched, {}, nullptr}} {}

Guide* Guides::find(GuideType type) {
    // The guides sit in the order of their types, which follow None.
    static_assert(int(GuideType::Coder) == 1 && int(GuideType::Buyer) == 2);
    return type == GuideType::None ? nullptr : &m_guides[std::size_t(type) - 1];
}

const Guide* Guides::find(GuideType type) const {
    return const_cast<Guides*>(this)->find(type);
}

} // namespace velmora
