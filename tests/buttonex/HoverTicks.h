#pragma once

#include "ButtonEx.h"

#include <QSignalSpy>
#include <QTest>

namespace velmora::test {

/// Waits for the next tick of the button's hover poll: whatever a tick
/// decides about the pointer where it rests now has been decided by then.
/// False when the poll does not tick (it is off).
inline bool hoverTicked(const ButtonEx& button) {
    QSignalSpy ticks(&button.hoverTimer(), &QTimer::timeout);
    return QTest::qWaitFor([&] { return ticks.count() > 0; }, 5000);
}

} // namespace velmora::test
