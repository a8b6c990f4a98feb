#include "WatcherTick.h"

namespace velmora {

TickAction decideTick(const WatchedState& state) {
    // A focus that is only changing hands between the program's windows is
    // no other program in front; a minimised window is away whatever holds
    // the focus.
    if (!state.active && !state.minimised && state.handOverPending)
        return TickAction::None;
    if (!state.active || state.minimised)
        return TickAction::GiveBackUsersSize;
    return state.restored ? TickAction::SwitchToDesignSize : TickAction::None;
}

} // namespace velmora
