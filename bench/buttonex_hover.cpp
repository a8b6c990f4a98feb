// Prints the CPU a ButtonEx costs while the pointer rests over it (its hover
// poll runs every millisecond), beside the cost with the pointer away.
#include "ButtonEx.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

using namespace velmora;

namespace {

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void runFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void pointTo(const QWidget& widget, QPoint local) {
    QCursor::setPos(widget.mapToGlobal(local));
    runFor(100);
}

// Share of one core the process used while the event loop ran idle.
double cpuShare(int milliseconds) {
    const double before = processCpuSeconds();
    runFor(milliseconds);
    return (processCpuSeconds() - before) * 1000.0 / milliseconds * 100.0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(300, 200);
    auto* button = new ButtonEx(&window);
    button->initProperties();
    button->setCaption(QStringLiteral("&Load"));
    button->setGeometry(50, 50, 80, 24);
    window.show();
    runFor(300);

    pointTo(window, QPoint(250, 150));
    const double away = cpuShare(2000);

    pointTo(*button, QPoint(10, 10));
    pointTo(*button, QPoint(12, 10));
    const bool hovering = button->hoverTimerActive() && button->state() == Hover;
    const double over = cpuShare(2000);

    std::printf("platform %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("pointer away: %.2f %% of a core\n", away);
    std::printf("pointer resting over the button%s: %.2f %% of a core (target <= 3 %%)\n",
                hovering ? "" : " (hover not reached!)", over);
    return hovering ? 0 : 1;
}
