// Prints the time of one ButtonEx face redraw in the common cases.
#include "ButtonFaceRenderer.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cstdio>

using namespace velmora;

namespace {
FaceProperties defaults() {
    return FaceProperties{.appearance = 1,
                          .backColor = kColorButtonFace,
                          .foreColor = kColorButtonText,
                          .highlightColor = kColorButtonText,
                          .transparentColor = 0x00FF0000,
                          .caption = QStringLiteral("&Load"),
                          .font = QGuiApplication::font(),
                          .picture = {},
                          .highlightPicture = false,
                          .enabled = true,
                          .rightToLeft = false};
}

QImage sampleIcon() {
    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(qRgb(0, 0, 255));
    QPainter painter(&icon);
    painter.fillRect(6, 6, 20, 20, qRgb(200, 30, 30));
    painter.fillRect(10, 10, 8, 8, qRgb(20, 160, 20));
    return icon;
}

void measure(const char* label, const FaceProperties& p, int state) {
    ButtonFaceRenderer renderer;
    renderer.resize(QSize(80, 24));
    const FaceContext context{true, true};
    const QPalette palette = QGuiApplication::palette();
    for (int i = 0; i < 200; ++i) // warm the text and picture holders
        renderer.redraw(i % 2 ? state : Normal, p, context);
    // The best of several batches: other work on the machine only adds time.
    constexpr int kRuns = 500;
    double micros = 1e9;
    for (int batch = 0; batch < 60; ++batch) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < kRuns; ++i) {
            renderer.setPalette(palette); // as the control does before each redraw
            renderer.redraw(i % 2 ? state : Normal, p, context);
        }
        micros = std::min(micros, double(timer.nsecsElapsed()) / 1000.0 / kRuns);
    }
    std::printf("%-40s %8.2f us per redraw\n", label, micros);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    FaceProperties plain = defaults();
    measure("80x24, no picture, Normal/Hover", plain, Hover);
    measure("80x24, no picture, Normal/Pressed", plain, Pressed);
    FaceProperties pictured = defaults();
    pictured.picture = sampleIcon();
    measure("80x24, 32x32 picture, Normal/Hover", pictured, Hover);
    pictured.highlightPicture = true;
    measure("80x24, 32x32 picture + highlight", pictured, Hover);
    return 0;
}
