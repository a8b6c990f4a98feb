#pragma once

#include "GuideType.h"
#include "PageStore.h"

#include <array>

namespace velmora {

class PageViewer;

/// One guide as the reader holds it: its pages as they arrived, whether its
/// fetch has been started in this run (the program-wide flag of its type),
/// and the viewer that shows it, with its scroll bars (none until a reading
/// screen is bound).
struct Guide {
    GuideType type;
    bool& fetched;
    PageStore pages;
    PageViewer* viewer = nullptr;
};

/// The Coder and the Buyer guide, in that order, found by their type.
class Guides {
public:
    Guides();

    /// The guide of `type`; none for GuideType::None.
    Guide* find(GuideType type);
    const Guide* find(GuideType type) const;

    auto begin() { return m_guides.begin(); }
    auto end() { return m_guides.end(); }
    auto begin() const { return m_guides.begin(); }
    auto end() const { return m_guides.end(); }

private:
    std::array<Guide, 2> m_guides;
};

} // namespace velmora
