#pragma once

namespace velmora {

/// What one tick of the focus watcher's `Timer2` does.
enum class TickAction {
    /// Nothing this tick.
    None,
    /// The user's resolution back, the main window minimised, `Timer2` off.
    GiveBackUsersSize,
    /// The program is in front again after a give-back: 1024 x 768 again.
    SwitchToDesignSize,
};

/// What the tick reads.
struct WatchedState {
    /// One of the program's own windows is the active one.
    bool active = false;
    /// The main window is minimised.
    bool minimised = false;
    /// The user's resolution was given back (`m_ResolutionRestored`).
    bool restored = false;
    /// A window of the program just closed and the window manager may still
    /// be handing the focus to another of them.
    bool handOverPending = false;
};

/// The decision of one `Timer2` tick, free of any window or timer.
TickAction decideTick(const WatchedState& state);

} // namespace velmora
