#include "DesktopDriver.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>

namespace velmora::tour {

bool DesktopDriver::xdotool(const QStringList& arguments) {
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

bool DesktopDriver::click(QPoint at) {
    return xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                    QStringLiteral("click"), QStringLiteral("1")});
}

bool DesktopDriver::keys(const QStringList& names) {
    return xdotool(
        QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("100")} +
        names);
}

QImage DesktopDriver::screenshot() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->grabWindow(0).toImage() : QImage();
}

bool DesktopDriver::loadCoderGuide() {
    // The list holds "Buyer" then "Coder": the last line is the coder's.
    return click(places::kGuides) && click(places::kGuideTypes) &&
           keys({QStringLiteral("End"), QStringLiteral("Return")}) && click(places::kLoadGuide);
}

} // namespace velmora::tour
