#include "XRandrScreen.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cmath>
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

bool sideways(Rotation rotation) {
    return rotation & (RR_Rotate_90 | RR_Rotate_270);
}

const XRRModeInfo* findMode(const XRRScreenResources* resources, RRMode id) {
    for (int i = 0; i < resources->nmode; ++i)
        if (resources->modes[i].id == id)
            return &resources->modes[i];
    return nullptr;
}

double refreshRate(const XRRModeInfo& mode) {
    double lines = mode.vTotal;
    if (mode.modeFlags & RR_DoubleScan)
        lines *= 2;
    if (mode.modeFlags & RR_Interlace)
        lines /= 2;
    return mode.hTotal && lines > 0 ? double(mode.dotClock) / (mode.hTotal * lines) : 0.0;
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
    ErrorTrap trap(m_x->display);
    const Resources res = m_x->resources();
    if (!res)
        return {};
    const auto [id, info] = m_x->output(res.get(), output);
    if (!info || !info->crtc)
        return {};
    const CrtcInfo crtc = m_x->crtc(res.get(), info->crtc);
    if (!crtc || !crtc->mode)
        return {};
    return {int(crtc->width), int(crtc->height)};
}

bool XRandrScreen::hasMode(const std::string& output, PixelSize size) const {
    ErrorTrap trap(m_x->display);
    const Resources res = m_x->resources();
    if (!res)
        return false;
    const auto [id, info] = m_x->output(res.get(), output);
    if (!info)
        return false;
    for (int i = 0; i < info->nmode; ++i) {
        const XRRModeInfo* mode = findMode(res.get(), info->modes[i]);
        if (mode && int(mode->width) == size.width && int(mode->height) == size.height)
            return true;
    }
    return false;
}

bool XRandrScreen::apply(const std::string& output, PixelSize size) {
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

    // Of the output's modes of that size, the one nearest the current rate.
    const XRRModeInfo* current = findMode(res.get(), crtc->mode);
    const double rate = current ? refreshRate(*current) : 60.0;
    const XRRModeInfo* chosen = nullptr;
    for (int i = 0; i < info->nmode; ++i) {
        const XRRModeInfo* mode = findMode(res.get(), info->modes[i]);
        if (!mode || int(mode->width) != size.width || int(mode->height) != size.height)
            continue;
        if (!chosen || std::abs(refreshRate(*mode) - rate) < std::abs(refreshRate(*chosen) - rate))
            chosen = mode;
    }
    if (!chosen)
        return false;
    if (chosen->id == crtc->mode)
        return true;

    // The screen must hold every lit CRTC at each step: grow it before the
    // change, shrink it to the bounding box after.
    const bool turned = sideways(crtc->rotation);
    const int footprintWidth = turned ? size.height : size.width;
    const int footprintHeight = turned ? size.width : size.height;
    int boxWidth = crtc->x + footprintWidth;
    int boxHeight = crtc->y + footprintHeight;
    for (int i = 0; i < res->ncrtc; ++i) {
        if (res->crtcs[i] == info->crtc)
            continue;
        const CrtcInfo other = m_x->crtc(res.get(), res->crtcs[i]);
        if (other && other->mode) {
            boxWidth = std::max(boxWidth, other->x + int(other->width));
            boxHeight = std::max(boxHeight, other->y + int(other->height));
        }
    }
    int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
    if (XRRGetScreenSizeRange(display, m_x->root, &minWidth, &minHeight, &maxWidth, &maxHeight)) {
        boxWidth = std::clamp(boxWidth, minWidth, maxWidth);
        boxHeight = std::clamp(boxHeight, minHeight, maxHeight);
    }
    // The root window's geometry is the screen's size now; Xlib's own
    // figures are those of when the connection opened.
    Window root = 0;
    int rootX = 0, rootY = 0;
    unsigned rootWidth = 0, rootHeight = 0, border = 0, depth = 0;
    if (!XGetGeometry(display, m_x->root, &root, &rootX, &rootY, &rootWidth, &rootHeight, &border,
                      &depth))
        return false;
    const int nowWidth = int(rootWidth);
    const int nowHeight = int(rootHeight);
    // Keep the physical size per pixel, so that the dots per inch stay.
    const int screen = DefaultScreen(display);
    const auto millimetres = [](int pixels, int refPixels, int refMm) {
        return refPixels > 0 && refMm > 0 ? int(std::lround(double(pixels) * refMm / refPixels))
                                          : int(std::lround(pixels * 25.4 / 96));
    };
    const auto setScreenSize = [&](int width, int height) {
        XRRSetScreenSize(
            display, m_x->root, width, height,
            millimetres(width, DisplayWidth(display, screen), DisplayWidthMM(display, screen)),
            millimetres(height, DisplayHeight(display, screen), DisplayHeightMM(display, screen)));
    };

    XGrabServer(display);
    const int grownWidth = std::max(nowWidth, boxWidth);
    const int grownHeight = std::max(nowHeight, boxHeight);
    if (grownWidth != nowWidth || grownHeight != nowHeight)
        setScreenSize(grownWidth, grownHeight);
    const Status status =
        XRRSetCrtcConfig(display, res.get(), info->crtc, CurrentTime, crtc->x, crtc->y, chosen->id,
                         crtc->rotation, crtc->outputs, crtc->noutput);
    if (status == RRSetConfigSuccess && (boxWidth != grownWidth || boxHeight != grownHeight))
        setScreenSize(boxWidth, boxHeight);
    XUngrabServer(display);
    return status == RRSetConfigSuccess && !trap.failed();
}

} // namespace velmora
