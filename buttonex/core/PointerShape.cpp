#include "PointerShape.h"

#include <array>

namespace velmora {

std::optional<Qt::CursorShape> PointerShape::shapeFor(int code) {
    static constexpr std::array<Qt::CursorShape, 16> shapes = {
        Qt::ArrowCursor,     // 0 default (not used: the host's pointer applies)
        Qt::ArrowCursor,     // 1 arrow
        Qt::CrossCursor,     // 2 cross
        Qt::IBeamCursor,     // 3 text
        Qt::ArrowCursor,     // 4 icon
        Qt::SizeAllCursor,   // 5 size
        Qt::SizeBDiagCursor, // 6 size north-east / south-west
        Qt::SizeVerCursor,   // 7 size north / south
        Qt::SizeFDiagCursor, // 8 size north-west / south-east
        Qt::SizeHorCursor,   // 9 size west / east
        Qt::UpArrowCursor,   // 10 up arrow
        Qt::WaitCursor,      // 11 hourglass
        Qt::ForbiddenCursor, // 12 no drop
        Qt::BusyCursor,      // 13 arrow and hourglass
        Qt::WhatsThisCursor, // 14 arrow and question mark
        Qt::SizeAllCursor,   // 15 size all
    };
    const short handedOn = short(code);
    if (handedOn <= kDefault || handedOn >= short(shapes.size()))
        return std::nullopt;
    return shapes[std::size_t(handedOn)];
}

} // namespace velmora
