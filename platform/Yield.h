#pragma once

namespace velmora {

/// Lets the user interface process all pending events once, `times` times
/// in a row, so painting, timer ticks and queued input run between the
/// steps of a handler.
void yieldEvents(int times = 1);

} // namespace velmora
