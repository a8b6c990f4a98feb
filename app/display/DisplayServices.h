#pragma once

#include <QSize>
#include <QString>

#include <functional>
#include <memory>

namespace velmora {

/// What testing a display mode answers, with the values of the platform the
/// program was designed on: 0 the mode can be set now, 1 only after a
/// restart, anything else not at all.
enum DisplayChange : int {
    DISP_CHANGE_SUCCESSFUL = 0,
    DISP_CHANGE_RESTART = 1,
    DISP_CHANGE_FAILED = -1,
};

/// The display services the main window uses to put the screen into its
/// design resolution and back, and to tell whether the program is in front.
/// One backend serves the program; tests give their own to observe the calls.
class DisplayServices {
public:
    virtual ~DisplayServices() = default;
    /// The size in pixels of the screen showing the program; 0 x 0 when it
    /// cannot be read.
    virtual QSize screenSize() const = 0;
    /// Remembers the display's mode now as the user's own, for the restores
    /// to put back; a backend that sets only sizes keeps nothing.
    virtual void rememberUserMode() {}
    /// Whether a mode of `width` x `height` can be set: a DisplayChange.
    virtual int testMode(int width, int height) = 0;
    /// Sets a mode of `width` x `height`; failures are silent.
    virtual void applyMode(int width, int height) = 0;
    /// Asks the system to restart, letting it ask the user as it does.
    virtual void requestRestart() = 0;
    /// Whether one of the program's windows (message boxes and dialogs
    /// included) is the active window of the desktop.
    virtual bool programWindowActive() const = 0;
};

/// The parts every real backend shares: restart through the login manager
/// on the system bus, and the application's own idea of its active window.
class DesktopDisplayServices : public DisplayServices {
public:
    void requestRestart() override;
    bool programWindowActive() const override;
};

/// The backend of a desktop whose modes the program cannot or must not set
/// (no X11, or an X server that only emulates modes for a compositor): every
/// mode tests as unavailable, so the program runs at the user's resolution.
class NullDisplayServices final : public DesktopDisplayServices {
public:
    QSize screenSize() const override;
    int testMode(int width, int height) override;
    void applyMode(int width, int height) override;
};

/// The backend for this desktop: display modes over XRandR on an X11 session
/// (on the output named by `outputName`, asked at each call), else the null
/// backend.  `guardProgram` is the display guard started at the first change.
std::unique_ptr<DisplayServices> createDisplayServices(std::function<QString()> outputName,
                                                       const QString& guardProgram);

} // namespace velmora
