#include "DisplayServices.h"

#include "XRandrDisplayServices.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QScreen>

namespace velmora {

namespace {

// XWayland only pretends to change modes for the compositor's sake.
bool waylandSession() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

} // namespace

void DesktopDisplayServices::requestRestart() {
    // Interactive: the login manager asks for authorisation, or for other
    // users' consent, as it would for the desktop's own restart entry.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Reboot"));
    call << true;
    QDBusConnection::systemBus().call(call, QDBus::NoBlock);
}

bool DesktopDisplayServices::programWindowActive() const {
    return QApplication::activeWindow() != nullptr;
}

QSize NullDisplayServices::screenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(0, 0);
}

int NullDisplayServices::testMode(int, int) {
    return DISP_CHANGE_FAILED;
}

void NullDisplayServices::applyMode(int, int) {}

std::unique_ptr<DisplayServices> createDisplayServices(std::function<QString()> outputName,
                                                       const QString& guardProgram) {
    if (QGuiApplication::platformName() == QLatin1String("xcb") && !waylandSession())
        if (auto xrandr = XRandrDisplayServices::open(std::move(outputName), guardProgram))
            return xrandr;
    return std::make_unique<NullDisplayServices>();
}

} // namespace velmora
