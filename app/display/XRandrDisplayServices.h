#pragma once

#include "DisplayGuard.h"
#include "DisplayServices.h"

#include <functional>
#include <memory>

namespace velmora {

class XRandrScreen;

/// Display modes over XRandR on the output that shows the main window.
/// X11 keeps no per-user mode store, so a mode applies for the session; the
/// first change starts the display guard with the mode it replaced.
class XRandrDisplayServices final : public DesktopDisplayServices {
public:
    /// Null when the X server cannot be reached or lacks RandR 1.2.
    static std::unique_ptr<XRandrDisplayServices> open(std::function<QString()> outputName,
                                                       QString guardProgram);
    ~XRandrDisplayServices() override;

    QSize screenSize() const override;
    int testMode(int width, int height) override;
    void applyMode(int width, int height) override;

    const DisplayGuard& guard() const { return m_guard; }

private:
    XRandrDisplayServices(std::unique_ptr<XRandrScreen> screen, std::function<QString()> outputName,
                          QString guardProgram);
    std::string output() const;

    std::unique_ptr<XRandrScreen> m_screen;
    std::function<QString()> m_outputName;
    QString m_guardProgram;
    DisplayGuard m_guard;
};

} // namespace velmora
