#include "DesktopDriver.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QHash>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>

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

QRect DesktopDriver::waitForWindow(const QString& title, int timeoutMs) {
    QProcess search;
    search.start(QStringLiteral("timeout"),
                 {QString::number(timeoutMs / 1000.0), QStringLiteral("xdotool"),
                  QStringLiteral("search"), QStringLiteral("--sync"),
                  QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                  QStringLiteral("^%1$").arg(title), QStringLiteral("getwindowgeometry"),
                  QStringLiteral("--shell")});
    if (!search.waitForFinished(timeoutMs + 2000) || search.exitCode() != 0)
        return {};
    QHash<QString, int> values;
    for (const QByteArray& line : search.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> pair = line.split('=');
        if (pair.size() == 2)
            values.insert(QString::fromLatin1(pair[0]), pair[1].toInt());
    }
    return {values.value("X"), values.value("Y"), values.value("WIDTH"), values.value("HEIGHT")};
}

bool DesktopDriver::waitUntilActive(const QString& title, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    do {
        QProcess active;
        active.start(QStringLiteral("xdotool"),
                     {QStringLiteral("getactivewindow"), QStringLiteral("getwindowname")});
        if (active.waitForFinished(2000) &&
            active.readAllStandardOutput().trimmed() == title.toUtf8())
            return true;
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    return false;
}

bool DesktopDriver::loadCoderGuide() {
    // The list holds "Buyer" then "Coder": the last line is the coder's.
    return click(places::kGuides) && click(places::kGuideTypes) &&
           keys({QStringLiteral("End"), QStringLiteral("Return")}) && click(places::kLoadGuide);
}

} // namespace velmora::tour
