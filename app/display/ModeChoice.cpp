#include "ModeChoice.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace velmora {

namespace {

// RandR's mode flags for double scan and interlace.
constexpr unsigned long kInterlace = 0x10;
constexpr unsigned long kDoubleScan = 0x20;

bool sideways(unsigned rotation) {
    return rotation & (kRotate90 | kRotate270);
}

template <typename Number> std::optional<Number> number(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0')
        return std::nullopt;
    return Number(value);
}

} // namespace

double ModeLine::refreshRate() const {
    double lines = vTotal;
    if (flags & kDoubleScan)
        lines *= 2;
    if (flags & kInterlace)
        lines /= 2;
    return hTotal > 0 && lines > 0 ? double(dotClock) / (hTotal * lines) : 0.0;
}

bool ModeLine::sameTimings(const ModeLine& other) const {
    return width == other.width && height == other.height && dotClock == other.dotClock &&
           hTotal == other.hTotal && vTotal == other.vTotal && flags == other.flags;
}

PixelSize UserMode::footprint() const {
    return sideways(rotation) ? PixelSize{mode.height, mode.width}
                              : PixelSize{mode.width, mode.height};
}

std::optional<UserMode> userModeOf(const OutputView& output) {
    if (!output.lit())
        return std::nullopt;
    return UserMode{output.name,     output.edidHash, output.current,
                    output.rotation, output.x,        output.y};
}

std::optional<ModeLine> switchModeFor(const OutputView& output, PixelSize size, double userRate) {
    if (!output.lit() || sideways(output.rotation) || !output.identityTransform)
        return std::nullopt;
    const ModeLine* chosen = nullptr;
    for (const ModeLine& mode : output.modes) {
        if (mode.width != size.width || mode.height != size.height)
            continue;
        if (!chosen ||
            std::abs(mode.refreshRate() - userRate) < std::abs(chosen->refreshRate() - userRate))
            chosen = &mode;
    }
    return chosen ? std::optional<ModeLine>(*chosen) : std::nullopt;
}

std::optional<ModeLine> restoreModeFor(const UserMode& saved, const OutputView& output) {
    // Output ids of some outputs change on replug; name and monitor do not.
    if (output.name != saved.output || output.edidHash != saved.edidHash || !output.connected ||
        !output.hasCrtc)
        return std::nullopt;
    const auto same = [&](const ModeLine& mode) { return mode.sameTimings(saved.mode); };
    const auto byId =
        std::find_if(output.modes.begin(), output.modes.end(),
                     [&](const ModeLine& m) { return m.id == saved.mode.id && same(m); });
    if (byId != output.modes.end())
        return *byId;
    const auto byTimings = std::find_if(output.modes.begin(), output.modes.end(), same);
    if (byTimings != output.modes.end())
        return *byTimings;
    return std::nullopt;
}

bool showsUserMode(const UserMode& saved, const OutputView& output) {
    return output.lit() && output.name == saved.output && output.edidHash == saved.edidHash &&
           output.current.sameTimings(saved.mode) && output.rotation == saved.rotation &&
           output.x == saved.x && output.y == saved.y;
}

PixelSize boundingBox(const std::vector<ScreenArea>& areas, PixelSize minimum, PixelSize maximum) {
    PixelSize box;
    for (const ScreenArea& area : areas) {
        box.width = std::max(box.width, area.x + area.size.width);
        box.height = std::max(box.height, area.y + area.size.height);
    }
    if (maximum.width > 0 && maximum.height > 0) {
        box.width = std::clamp(box.width, minimum.width, maximum.width);
        box.height = std::clamp(box.height, minimum.height, maximum.height);
    }
    return box;
}

int millimetres(int pixels, int refPixels, int refMm) {
    return refPixels > 0 && refMm > 0 ? int(std::lround(double(pixels) * refMm / refPixels))
                                      : int(std::lround(pixels * 25.4 / 96));
}

std::uint64_t edidHash(const unsigned char* bytes, std::size_t length) {
    if (!bytes || length == 0)
        return 0;
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (std::size_t i = 0; i < length; ++i) {
        hash ^= bytes[i];
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

std::vector<std::string> guardArguments(const UserMode& saved) {
    const ModeLine& m = saved.mode;
    return {saved.output,
            std::to_string(saved.edidHash),
            std::to_string(m.id),
            std::to_string(m.width),
            std::to_string(m.height),
            std::to_string(m.dotClock),
            std::to_string(m.hTotal),
            std::to_string(m.vTotal),
            std::to_string(m.flags),
            std::to_string(saved.rotation),
            std::to_string(saved.x),
            std::to_string(saved.y)};
}

std::optional<UserMode> parseGuardArguments(const std::vector<std::string>& arguments) {
    if (arguments.size() != 12 || arguments[0].empty())
        return std::nullopt;
    UserMode saved;
    saved.output = arguments[0];
    // The hash takes all 64 bits: read it unsigned.
    char* end = nullptr;
    saved.edidHash = std::strtoull(arguments[1].c_str(), &end, 10);
    if (arguments[1].empty() || *end != '\0')
        return std::nullopt;
    const auto id = number<unsigned long>(arguments[2]);
    const auto width = number<int>(arguments[3]);
    const auto height = number<int>(arguments[4]);
    const auto clock = number<unsigned long>(arguments[5]);
    const auto hTotal = number<int>(arguments[6]);
    const auto vTotal = number<int>(arguments[7]);
    const auto flags = number<unsigned long>(arguments[8]);
    const auto rotation = number<unsigned>(arguments[9]);
    const auto x = number<int>(arguments[10]);
    const auto y = number<int>(arguments[11]);
    if (!id || !width || !height || !clock || !hTotal || !vTotal || !flags || !rotation || !x ||
        !y || *width <= 0 || *height <= 0)
        return std::nullopt;
    saved.mode = {*id, *width, *height, *clock, *hTotal, *vTotal, *flags};
    saved.rotation = *rotation;
    saved.x = *x;
    saved.y = *y;
    return saved;
}

} // namespace velmora
