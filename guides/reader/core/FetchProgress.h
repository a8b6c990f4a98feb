#pragma once

namespace velmora {

/// The value of the fetch progress bar (range 0 .. 100) as a fetch moves
/// on.  Kept apart from the bar so the arithmetic can be tested alone.
class FetchProgress {
public:
    static constexpr double kMin = 0;
    static constexpr double kMax = 100;

    double value() const { return m_value; }

    /// Load pressed: 0.
    void reset() { set(0); }
    /// The group index was read: the bar's minimum.
    void toMinimum() { set(kMin); }
    /// The page controls were refreshed: one step more.
    void step() { set(m_value + 1); }
    /// Page `page` (0-based) of `totalPages` arrived.
    void pageArrived(int page, int totalPages);

    /// The percentage shown after page `page` (0-based) of `totalPages`:
    /// (page + 1) / total x 100 truncated toward minus infinity.
    static double percentFor(int page, int totalPages);

private:
    /// A value outside the bar's range is refused and the old one kept, as
    /// the bar refuses it.
    void set(double value);

    double m_value = 0;
};

} // namespace velmora
