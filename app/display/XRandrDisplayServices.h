#pragma once

#include "DisplayGuard.h"
#include "DisplayServices.h"
#include "ModeChoice.h"

#include <functional>
#include <memory>
#include <optional>

class QSocketNotifier;

namespace velmora {

class XRandrScreen;

/// Display modes over XRandR.  The user's mode (output, mode, rotation,
/// reflection, position) is remembered once; from then on every switch and
/// restore works on that output, and a restore puts back exactly that mode.
/// X11 keeps no per-user mode store, so a mode applies for the session; a
/// change starts the display guard, holding the user's mode, whenever none
/// is alive.
class XRandrDisplayServices final : public DesktopDisplayServices {
public:
    /// Null when the X server cannot be reached or lacks RandR 1.2.
    static std::unique_ptr<XRandrDisplayServices> open(std::function<QString()> outputName,
                                                       QString guardProgram);
    /// Stands the guard down only if the display shows the user's mode;
    /// otherwise the guard is let go and puts it back.
    ~XRandrDisplayServices() override;

    QSize screenSize() const override;
    void rememberUserMode() override;
    int testMode(int width, int height) override;
    void applyMode(int width, int height) override;

private:
    XRandrDisplayServices(std::unique_ptr<XRandrScreen> screen, std::function<QString()> outputName,
                          QString guardProgram);
    std::string output() const;
    /// Whether a change to `width` x `height` is the way back to the user's mode.
    bool restoring(int width, int height) const;
    double userRate() const;
    void startGuard();
    /// Whether the guard lives; a dead one is reaped and forgotten.
    bool guardAlive();
    void watchGuard();

    std::unique_ptr<XRandrScreen> m_screen;
    std::function<QString()> m_outputName;
    QString m_guardProgram;
    std::optional<UserMode> m_userMode;
    DisplayGuard m_guard;
    QSocketNotifier* m_guardWatch = nullptr;
};

} // namespace velmora
