#pragma once

#include <memory>
#include <string>

namespace velmora {

/// A size in pixels, as the X server reports it.
struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

/// One connection to an X server's RandR extension, for the display mode of
/// one output.  Needs no Qt, so that the display guard can use it as well.
/// Every call reports failure instead of letting an X error end the process.
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
    /// Whether `output` offers a mode of exactly `size`.
    bool hasMode(const std::string& output, PixelSize size) const;
    /// Puts `output` into a mode of `size`, keeping its rotation, position
    /// and (as near as the mode list allows) refresh rate, and fits the
    /// screen to the bounding box of all lit outputs.  False when it failed.
    bool apply(const std::string& output, PixelSize size);

private:
    struct Connection;
    explicit XRandrScreen(std::unique_ptr<Connection> connection);
    std::unique_ptr<Connection> m_x;
};

} // namespace velmora
