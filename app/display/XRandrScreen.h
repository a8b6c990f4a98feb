#pragma once

#include "ModeChoice.h"

#include <memory>
#include <optional>
#include <string>

namespace velmora {

/// One connection to an X server's RandR extension: reads what an output
/// shows and sets a CRTC, and nothing more; which mode to set is chosen by
/// the functions of ModeChoice.h.  Needs no Qt, so that the display guard
/// can use it as well.  Every call reports failure instead of letting an X
/// error end the process.
class XRandrScreen {
public:
    /// Connects to `displayName` (the DISPLAY variable when null); null when
    /// there is no server or it lacks RandR 1.2.
    static std::unique_ptr<XRandrScreen> open(const char* displayName = nullptr);
    ~XRandrScreen();
    XRandrScreen(const XRandrScreen&) = delete;
    XRandrScreen& operator=(const XRandrScreen&) = delete;

    /// The output `name`, or the primary (else the first lit) output when
    /// `name` is empty or unknown; empty when no output shows anything.
    std::string resolveOutput(const std::string& name) const;
    /// What `output` shows, rotation included; 0 x 0 when it shows nothing.
    PixelSize outputSize(const std::string& output) const;
    /// The output `name` as the server reports it now; none when there is
    /// no such output.
    std::optional<OutputView> view(const std::string& name) const;

    /// Puts the CRTC of `output` into `mode` at (`x`, `y`) with `rotation`
    /// (reflection bits included), and fits the screen to the bounding box
    /// of all lit CRTCs; a failed change leaves the screen's size as it
    /// was.  False when it failed.
    bool setMode(const std::string& output, const ModeLine& mode, int x, int y, unsigned rotation);
    /// Switches `output` to a mode of `size` at the rate nearest `userRate`,
    /// keeping position, rotation and reflection; false when the output is
    /// left alone (see switchModeFor) or the change failed.
    bool switchTo(const std::string& output, PixelSize size, double userRate);
    /// Puts `saved` back on its own output, exactly; true when the output
    /// shows it afterwards.  Another output is never touched: when the
    /// recorded one is gone, nothing happens.
    bool restore(const UserMode& saved);

private:
    struct Connection;
    explicit XRandrScreen(std::unique_ptr<Connection> connection);
    std::unique_ptr<Connection> m_x;
};

} // namespace velmora
