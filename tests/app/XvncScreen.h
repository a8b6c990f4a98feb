#pragma once

#include "app/display/XRandrScreen.h"

#include <QSize>
#include <QTest>

#include <memory>

namespace velmora::test {

/// The test X server's screen as RandR reports it, for display tests that
/// must find the server's own size again whatever the code under test did.
class XvncScreen {
public:
    static constexpr QSize kStartSize{1280, 1024};

    XvncScreen() : m_screen(XRandrScreen::open()) {
        if (m_screen)
            m_output = m_screen->resolveOutput({});
    }
    bool usable() const { return m_screen && !m_output.empty(); }
    QSize size() const {
        const PixelSize now = m_screen->outputSize(m_output);
        return {now.width, now.height};
    }
    /// Puts the server back to its start size.
    bool reset() {
        return m_screen->switchTo(m_output, {kStartSize.width(), kStartSize.height()}, 60.0);
    }
    /// Waits until the screen is `wanted` or `timeout` ms have gone.
    bool waitFor(QSize wanted, int timeout) {
        return QTest::qWaitFor([&] { return size() == wanted; }, timeout);
    }

private:
    std::unique_ptr<XRandrScreen> m_screen;
    std::string m_output;
};

} // namespace velmora::test
