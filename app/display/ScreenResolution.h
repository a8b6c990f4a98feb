#pragma once

namespace velmora {

class DisplayServices;

/// The two display procedures of the program: remember the user's screen
/// size, and set a size (test, then apply, or ask for a restart when the
/// display needs one).  They yield between their steps, so timer ticks and
/// input may run inside them.
class ScreenResolution {
public:
    explicit ScreenResolution(DisplayServices& display) : m_display(display) {}

    /// Remembers the user's display mode and stores its size in
    /// g_SavedScreenWidth / g_SavedScreenHeight (0 when it cannot be read).
    void SaveScreenResolution();
    /// Sets `width` x `height` if the display offers it; nothing reaches the
    /// user but the restart prompt.  Once the exit has begun it applies
    /// nothing, however long ago it was called.
    void SetScreenResolution(int width, int height);
    /// The exit operation's restore of `width` x `height`: from its start,
    /// no other call sets a mode any more (the exit is final).
    void ExitScreenResolution(int width, int height);

private:
    void change(int width, int height, bool exitsOwn);

    DisplayServices& m_display;
    bool m_exitBegun = false;
};

} // namespace velmora
