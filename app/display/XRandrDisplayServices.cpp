#include "XRandrDisplayServices.h"

#include "XRandrScreen.h"

namespace velmora {

std::unique_ptr<XRandrDisplayServices>
XRandrDisplayServices::open(std::function<QString()> outputName, QString guardProgram) {
    auto screen = XRandrScreen::open(qgetenv("DISPLAY").constData());
    if (!screen)
        return nullptr;
    return std::unique_ptr<XRandrDisplayServices>(new XRandrDisplayServices(
        std::move(screen), std::move(outputName), std::move(guardProgram)));
}

XRandrDisplayServices::XRandrDisplayServices(std::unique_ptr<XRandrScreen> screen,
                                             std::function<QString()> outputName,
                                             QString guardProgram)
    : m_screen(std::move(screen)), m_outputName(std::move(outputName)),
      m_guardProgram(std::move(guardProgram)) {}

XRandrDisplayServices::~XRandrDisplayServices() = default;

std::string XRandrDisplayServices::output() const {
    const QString wanted = m_outputName ? m_outputName() : QString();
    return m_screen->resolveOutput(wanted.toStdString());
}

QSize XRandrDisplayServices::screenSize() const {
    const PixelSize size = m_screen->outputSize(output());
    return {size.width, size.height};
}

int XRandrDisplayServices::testMode(int width, int height) {
    return m_screen->hasMode(output(), {width, height}) ? DISP_CHANGE_SUCCESSFUL
                                                        : DISP_CHANGE_FAILED;
}

void XRandrDisplayServices::applyMode(int width, int height) {
    const std::string name = output();
    if (!m_guard.running() && !m_guardProgram.isEmpty()) {
        const PixelSize before = m_screen->outputSize(name);
        if (before.width > 0)
            m_guard.start(m_guardProgram, QString::fromStdString(name), before.width,
                          before.height);
    }
    m_screen->apply(name, {width, height});
}

} // namespace velmora
