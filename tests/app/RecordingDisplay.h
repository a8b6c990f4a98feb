#pragma once

#include "app/DisplayServices.h"

#include <QStringList>
#include <functional>

namespace velmora {

/// A display backend that reports a fixed screen size and writes every
/// call into a log ("size", "change WxH"), which the test's end-of-process
/// hook shares ("end"), so that the order of the three can be checked.
class RecordingDisplay : public DisplayServices {
public:
    QSize screenSize() const override {
        log << QStringLiteral("size");
        return size;
    }
    bool changeResolution(int width, int height) override {
        log << QStringLiteral("change %1x%2").arg(width).arg(height);
        if (onChange)
            onChange();
        return true;
    }

    QSize size{1920, 1080};
    mutable QStringList log;
    std::function<void()> onChange;
};

} // namespace velmora
