#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

/// A size in pixels, as the X server reports it.
struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

/// RandR's rotation and reflection bits, as the protocol defines them.
enum RotationBits : unsigned {
    kRotate0 = 1,
    kRotate90 = 2,
    kRotate180 = 4,
    kRotate270 = 8,
    kReflectX = 16,
    kReflectY = 32,
};

/// One entry of the server's mode list: an id and the timings that make it.
struct ModeLine {
    unsigned long id = 0;
    int width = 0;
    int height = 0;
    unsigned long dotClock = 0;
    int hTotal = 0;
    int vTotal = 0;
    unsigned long flags = 0;

    /// Frames per second, double scan and interlace counted.
    double refreshRate() const;
    /// Same size, dot clock, totals and flags: the same picture on the wire,
    /// whatever id the server gave it.
    bool sameTimings(const ModeLine& other) const;
};

/// What the server says about one output and the CRTC that drives it.
struct OutputView {
    std::string name;
    /// Hash of the monitor's EDID; 0 when it has none.
    std::uint64_t edidHash = 0;
    bool connected = false;
    bool hasCrtc = false;
    /// The modes the output offers.
    std::vector<ModeLine> modes;
    /// What its CRTC shows: id 0 when it shows nothing.
    ModeLine current;
    int x = 0;
    int y = 0;
    unsigned rotation = kRotate0;
    bool identityTransform = true;

    bool lit() const { return connected && hasCrtc && current.id != 0; }
};

/// The user's own display mode of one output, saved before the program
/// changes it: everything needed to put it back exactly.
struct UserMode {
    std::string output;
    std::uint64_t edidHash = 0;
    ModeLine mode;
    unsigned rotation = kRotate0;
    int x = 0;
    int y = 0;

    /// The size it covers on the screen, rotation counted.
    PixelSize footprint() const;
};

/// The mode `output` shows now, as the user's own; none when it shows nothing.
std::optional<UserMode> userModeOf(const OutputView& output);

/// The mode of `size` to switch `output` to: of those it offers, the one
/// whose rate is nearest `userRate`.  None (leave the output alone) when it
/// shows nothing, is turned sideways (a portrait output would give the
/// window the wrong width), has a transform, or offers no such mode.
std::optional<ModeLine> switchModeFor(const OutputView& output, PixelSize size, double userRate);

/// The mode that puts `saved` back on `output`: the same id where it still
/// exists, else one of identical timings.  None when the output is not the
/// recorded one (other name or EDID), is disconnected or has no CRTC.
std::optional<ModeLine> restoreModeFor(const UserMode& saved, const OutputView& output);

/// Whether `output` shows `saved` exactly: timings, rotation and position.
bool showsUserMode(const UserMode& saved, const OutputView& output);

/// A rectangle of the screen covered by one CRTC.
struct ScreenArea {
    int x = 0;
    int y = 0;
    PixelSize size;
};

/// The screen size that holds every area, within the server's range.
PixelSize boundingBox(const std::vector<ScreenArea>& areas, PixelSize minimum, PixelSize maximum);

/// The physical size in millimetres of `pixels`, at the density of the
/// reference (`refPixels` over `refMm`); at 96 dots per inch without one.
int millimetres(int pixels, int refPixels, int refMm);

/// A 64-bit hash (FNV-1a) of a monitor's EDID bytes; 0 for none.
std::uint64_t edidHash(const unsigned char* bytes, std::size_t length);

/// The display guard's command line for `saved`, and back.
std::vector<std::string> guardArguments(const UserMode& saved);
std::optional<UserMode> parseGuardArguments(const std::vector<std::string>& arguments);

} // namespace velmora
