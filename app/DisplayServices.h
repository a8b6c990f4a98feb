#pragma once

#include <QSize>

namespace velmora {

/// The display services the main window uses to put the screen into its
/// design resolution and back.  One backend serves the program; tests give
/// their own to observe the calls.
class DisplayServices {
public:
    virtual ~DisplayServices() = default;
    /// The screen's current size in pixels; empty when it cannot be told.
    virtual QSize screenSize() const = 0;
    /// Switches the screen to `width` x `height` pixels; false when the
    /// display did not take the mode.
    virtual bool changeResolution(int width, int height) = 0;
};

/// The backend of a desktop whose display the program leaves alone: it
/// reports the primary screen's size and changes nothing.
class NullDisplayServices final : public DisplayServices {
public:
    QSize screenSize() const override;
    bool changeResolution(int width, int height) override;
};

} // namespace velmora
