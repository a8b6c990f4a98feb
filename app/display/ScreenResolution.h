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

    /// Stores the screen's size in g_SavedScreenWidth / g_SavedScreenHeight
    /// (0 when it cannot be read).
    void SaveScreenResolution();
    /// Sets `width` x `height` if the display offers it; nothing reaches the
    /// user but the restart prompt.
    void SetScreenResolution(int width, int height);

private:
    DisplayServices& m_display;
};

} // namespace velmora
