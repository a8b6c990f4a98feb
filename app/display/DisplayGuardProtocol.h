#pragma once

namespace velmora {

/// What the program writes to the display guard's connection before closing it
/// in an orderly exit; the connection closing without it means the program died.
/// The guard's command line: OUTPUT WIDTH HEIGHT (the mode to give back).
constexpr char kGuardStandDown = 'D';

} // namespace velmora
