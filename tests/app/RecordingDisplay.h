#pragma once

#include "app/display/DisplayServices.h"

#include <QApplication>
#include <QSet>
#include <QStringList>
#include <functional>
#include <optional>

namespace velmora {

/// A display backend that reports a fixed screen size, offers the modes in
/// `modes` (the restart answer for those in `restartModes`) and writes every
/// call into a log ("size", "test WxH", "apply WxH", "restart"), which the
/// test's end-of-process hook shares ("end"), so that the order can be
/// checked.
class RecordingDisplay : public DisplayServices {
public:
    QSize screenSize() const override {
        log << QStringLiteral("size");
        return size;
    }
    int testMode(int width, int height) override {
        const QSize mode(width, height);
        log << QStringLiteral("test %1x%2").arg(width).arg(height);
        if (onTest)
            onTest();
        if (restartModes.contains(mode))
            return DISP_CHANGE_RESTART;
        return modes.contains(mode) ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_FAILED;
    }
    void applyMode(int width, int height) override {
        log << QStringLiteral("apply %1x%2").arg(width).arg(height);
        if (onApply)
            onApply();
    }
    void requestRestart() override { log << QStringLiteral("restart"); }
    bool programWindowActive() const override {
        return active.value_or(QApplication::activeWindow() != nullptr);
    }

    /// The log's lines for one switch to `width` x `height` that the display takes.
    static QStringList switchTo(int width, int height) {
        const QString mode = QStringLiteral("%1x%2").arg(width).arg(height);
        return {QStringLiteral("test ") + mode, QStringLiteral("apply ") + mode};
    }

    QSize size{1920, 1080};
    QSet<QSize> modes{{1920, 1080}, {1024, 768}};
    QSet<QSize> restartModes;
    /// Whether the program is in front; unset, the application says.
    std::optional<bool> active;
    mutable QStringList log;
    std::function<void()> onApply;
    std::function<void()> onTest;
};

} // namespace velmora
