#pragma once

namespace velmora {

/// What the program writes to the display guard's connection before closing it
/// in an orderly exit; the connection closing without it means the program died.
/// The guard's command line is the user's mode (guardArguments of ModeChoice.h).
constexpr char kGuardStandDown = 'D';

} // namespace velmora
