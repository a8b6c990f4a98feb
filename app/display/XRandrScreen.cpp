#include "XRandrScreen.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace velmora {

namespace {

// Xlib's default error handler ends the process; while one of our requests
// runs, errors are counted instead and the previous handler comes back after.
int g_xErrors = 0;

int countError(Display*, XErrorEvent*) {
    ++g_xErrors;
    return 0;
}

class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : m_display(display) {
        XSync(m_display, False);
        g_xErrors = 0;
        m_previous = XSetErrorHandler(countError);
    }
    ~ErrorTrap() {
        XSync(m_display, False);
        XSetErrorHandler(m_previous);
    }
    bool failed() {
        XSync(m_display, False);
        return g_xErrors != 0;
    }

private:
    Display* m_display;
    int (*m_previous)(Display*, XErrorEvent*) = nullptr;
};

struct ResourcesDeleter {
    void operator()(XRRScreenResources* r) const { XRRFreeScreenResources(r); }
};
struct OutputDeleter {
    void operator()(XRROutputInfo* o) const { XRRFreeOutputInfo(o); }
};
struct CrtcDeleter {
    void operator()(XRRCrtcInfo* c) const { XRRFreeCrtcInfo(c); }
};
using Resources = std::unique_ptr<XRRScreenResources, ResourcesDeleter>;
using OutputInfo = std::unique_ptr<XRROutputInfo, OutputDeleter>;
using CrtcInfo = std::unique_ptr<XRRCrtcInfo, CrtcDeleter>;

ModeLine modeLine(const XRRModeInfo& info) {
    return {info.id,          int(info.width),  int(info.height), info.dotClock,
            int(info.hTotal), int(info.vTotal), info.modeFlags};
}

const XRRModeInfo* findMode(const XRRScreenResources* resources, RRMode id) {
    for (int i = 0; i < resources->nmode; ++i)
        if (resources->modes[i].id == id)
            return &resources->modes[i];
    return nullptr;
}

} // namespace

struct XRandrScreen::Connection {
    Display* display = nullptr;
    Window root = 0;
    ~Connection() {
        if (display)
            XCloseDisplay(display);
    }

    Resources resources() const { return Resources(XRRGetScreenResourcesCurrent(display, root)); }

    // The output of that name with its info; none when there is no such one.
    std::pair<RROutput, OutputInfo> output(const XRRScreenResources* res,
                                           const std::string& name) const {
        for (int i = 0; i < res->noutput; ++i) {
            OutputInfo info(
                XRRGetOutputInfo(display, const_cast<XRRScreenResources*>(res), res->outputs[i]));
            if (info && name == std::string(info->name, info->nameLen))
                return {res->outputs[i], std::move(info)};
        }
        return {0, nullptr};
    }

    CrtcInfo crtc(const XRRScreenResources* res, RRCrtc id) const {
        return CrtcInfo(XRRGetCrtcInfo(display, const_cast<XRRScreenResources*>(res), id));
    }

    std::uint64_t edid(RROutput output) const {
        const Atom name = XInternAtom(display, RR_PROPERTY_RANDR_EDID, True);
        if (name == None)
            return 0;
        Atom type = None;
        int format = 0;
        unsigned long count = 0, left = 0;
        unsigned char* bytes = nullptr;
        if (XRRGetOutputProperty(display, output, name, 0, 256, False, False, AnyPropertyType,
                                 &type, &format, &count, &left, &bytes) != Success)
            return 0;
        const std::uint64_t hash = format == 8 ? edidHash(bytes, count) : 0;
        if (bytes)
            XFree(bytes);
        return hash;
    }

    // A server without RandR 1.3 has no transforms: identity.
    bool identityTransform(RRCrtc crtc) const {
        XRRCrtcTransformAttributes* attributes = nullptr;
        if (!XRRGetCrtcTransform(display, crtc, &attributes) || !attributes)
            return true;
        const XTransform& t = attributes->currentTransform;
        const XFixed one = 1 << 16;
        bool identity = true;
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column)
                identity = identity && t.matrix[row][column] == (row == column ? one : 0);
        XFree(attributes);
        return identity;
    }

    OutputView view(const XRRScreenResources* res, RROutput id, const XRROutputInfo& info) const {
        OutputView view;
        view.name.assign(info.name, info.nameLen);
        view.edidHash = edid(id);
        view.connected = info.connection != RR_Disconnected;
        view.hasCrtc = info.crtc != 0;
        for (int i = 0; i < info.nmode; ++i)
            if (const XRRModeInfo* mode = findMode(res, info.modes[i]))
                view.modes.push_back(modeLine(*mode));
        if (!info.crtc)
            return view;
        if (const CrtcInfo crtc = this->crtc(res, info.crtc)) {
            if (const XRRModeInfo* mode = findMode(res, crtc->mode))
                view.current = modeLine(*mode);
            view.x = crtc->x;
            view.y = crtc->y;
            view.rotation = crtc->rotation;
            view.identityTransform = identityTransform(info.crtc);
        }
        return view;
    }

    // The root window's geometry is the screen's size now; Xlib's own
    // figures are those of when the connection opened.
    PixelSize screenSize() const {
        Window root = 0;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        if (!XGetGeometry(display, this->root, &root, &x, &y, &width, &height, &border, &depth))
            return {};
        return {int(width), int(height)};
    }

    // Keeps the physical size per pixel, so that the dots per inch stay.
    void setScreenSize(PixelSize size) const {
        const int screen = DefaultScreen(display);
        XRRSetScreenSize(
            display, root, size.width, size.height,
            millimetres(size.width, DisplayWidth(display, screen), DisplayWidthMM(display, screen)),
            millimetres(size.height, DisplayHeight(display, screen),
                        DisplayHeightMM(display, screen)));
    }
};

XRandrScreen::XRandrScreen(std::unique_ptr<Connection> connection) : m_x(std::move(connection)) {}

XRandrScreen::~XRandrScreen() = default;

std::unique_ptr<XRandrScreen> XRandrScreen::open(const char* displayName) {
    auto connection = std::make_unique<Connection>();
    connection->display = XOpenDisplay(displayName);
    if (!connection->display)
        return nullptr;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(connection->display, &eventBase, &errorBase) ||
        !XRRQueryVersion(connection->display, &major, &minor) || major < 1 ||
        (major == 1 && minor < 2))
        return nullptr;
    connection->root = DefaultRootWindow(connection->display);
    return std::unique_ptr<XRandrScreen>(new XRandrScreen(std::move(connection)));
}

std::string XRandrScreen::resolveOutput(const std::string& name) const {
    ErrorTrap trap(m_x->display);
    const Resources res = m_x->resources();
    if (!res)
        return {};
    auto lit = [&](const XRROutputInfo* info) {
        return info && info->crtc && info->connection != RR_Disconnected;
    };
    if (!name.empty() && lit(m_x->output(res.get(), name).second.get()))
        return name;
    const RROutput primary = XRRGetOutputPrimary(m_x->display, m_x->root);
    std::string first;
    for (int i = 0; i < res->noutput; ++i) {
        OutputInfo info(XRRGetOutputInfo(m_x->display, res.get(), res->outputs[i]));
        if (!lit(info.get()))
            continue;
        std::string outputName(info->name, info->nameLen);
        if (res->outputs[i] == primary)
            return outputName;
        if (first.empty())
            first = outputName;
    }
    return first;
}

PixelSize XRandrScreen::outputSize(const std::string& output) const {
    const std::optional<OutputView> shown = view(output);
    if (!shown || !shown->lit())
        return {};
    return UserMode{{}, 0, shown->current, shown->rotation, 0, 0}.footprint();
}

std::optional<OutputView> XRandrScreen::view(const std::string& name) const {
    ErrorTrap trap(m_x->display);
    const Resources res = m_x->resources();
    if (!res)
        return std::nullopt;
    const auto [id, info] = m_x->output(res.get(), name);
    if (!info)
        return std::nullopt;
    return m_x->view(res.get(), id, *info);
}

bool XRandrScreen::setMode(const std::string& output, const ModeLine& mode, int x, int y,
                           unsigned rotation) {
    Display* display = m_x->display;
    ErrorTrap trap(display);
    const Resources res = m_x->resources();
    if (!res)
        return false;
    const auto [outputId, info] = m_x->output(res.get(), output);
    if (!info || !info->crtc)
        return false;
    const CrtcInfo crtc = m_x->crtc(res.get(), info->crtc);
    if (!crtc)
        return false;
    if (crtc->mode == mode.id && crtc->x == x && crtc->y == y && crtc->rotation == rotation)
        return true;

    // The screen must hold every lit CRTC at each step: grow it before the
    // change, shrink it to the bounding box after.  Other CRTCs cover what
    // the server reports, their transforms counted.
    std::vector<ScreenArea> areas{{x, y, UserMode{{}, 0, mode, rotation, 0, 0}.footprint()}};
    for (int i = 0; i < res->ncrtc; ++i) {
        if (res->crtcs[i] == info->crtc)
            continue;
        const CrtcInfo other = m_x->crtc(res.get(), res->crtcs[i]);
        if (other && other->mode)
            areas.push_back({other->x, other->y, {int(other->width), int(other->height)}});
    }
    PixelSize minimum, maximum;
    XRRGetScreenSizeRange(display, m_x->root, &minimum.width, &minimum.height, &maximum.width,
                          &maximum.height);
    const PixelSize box = boundingBox(areas, minimum, maximum);
    const PixelSize now = m_x->screenSize();
    if (now.width <= 0)
        return false;

    XGrabServer(display);
    const PixelSize grown{std::max(now.width, box.width), std::max(now.height, box.height)};
    if (grown != now)
        m_x->setScreenSize(grown);
    const Status status = XRRSetCrtcConfig(display, res.get(), info->crtc, CurrentTime, x, y,
                                           mode.id, rotation, crtc->outputs, crtc->noutput);
    const bool changed = status == RRSetConfigSuccess;
    // After a failed change the grown screen would reach past what any
    // output shows: windows could land there, out of sight.
    const PixelSize settled = changed ? box : now;
    if (settled != grown)
        m_x->setScreenSize(settled);
    XUngrabServer(display);
    return changed && !trap.failed();
}

bool XRandrScreen::switchTo(const std::string& output, PixelSize size, double userRate) {
    const std::optional<OutputView> shown = view(output);
    if (!shown)
        return false;
    const std::optional<ModeLine> mode = switchModeFor(*shown, size, userRate);
    return mode && setMode(output, *mode, shown->x, shown->y, shown->rotation);
}

bool XRandrScreen::restore(const UserMode& saved) {
    const std::optional<OutputView> shown = view(saved.output);
    if (!shown)
        return false;
    if (showsUserMode(saved, *shown))
        return true;
    const std::optional<ModeLine> mode = restoreModeFor(saved, *shown);
    if (!mode || !setMode(saved.output, *mode, saved.x, saved.y, saved.rotation))
        return false;
    const std::optional<OutputView> after = view(saved.output);
    return after && showsUserMode(saved, *after);
}

} // namespace velmora
