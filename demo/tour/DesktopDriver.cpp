#include "DesktopDriver.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QHash>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
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

QByteArray DesktopDriver::search(const QStringList& arguments, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        QProcess search;
        search.start(
            QStringLiteral("timeout"),
            QStringList{QString::number(qMax<qint64>(deadline.remainingTime(), 1) / 1000.0),
                        QStringLiteral("xdotool"), QStringLiteral("search")} +
                arguments);
        if (!search.waitForFinished(timeoutMs + 2000))
            return {};
        if (search.exitCode() == 0)
            return search.readAllStandardOutput();
        if (!search.readAllStandardError().contains("X Error") || deadline.hasExpired())
            return {};
    }
}

QRect DesktopDriver::waitForWindow(const QString& title, int timeoutMs) {
    const QByteArray found =
        search({QStringLiteral("--sync"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                QStringLiteral("^%1$").arg(QRegularExpression::escape(title)),
                QStringLiteral("getwindowgeometry"), QStringLiteral("--shell")},
               timeoutMs);
    QHash<QString, int> values;
    for (const QByteArray& line : found.split('\n')) {
        const QList<QByteArray> pair = line.split('=');
        if (pair.size() == 2)
            values.insert(QString::fromLatin1(pair[0]), pair[1].toInt());
    }
    if (values.isEmpty())
        return {};
    return {values.value("X"), values.value("Y"), values.value("WIDTH"), values.value("HEIGHT")};
}

int DesktopDriver::visibleWindows(qint64 pid, const QString& title) {
    const QByteArray found =
        search({QStringLiteral("--all"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                QString::number(pid), QStringLiteral("--name"),
                QStringLiteral("^%1$").arg(QRegularExpression::escape(title))},
               5000);
    return int(found.trimmed().isEmpty() ? 0 : found.trimmed().split('\n').size());
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
