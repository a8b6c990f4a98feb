#include "XRandrDisplayServices.h"

#include "XRandrScreen.h"

#include <QSocketNotifier>

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

XRandrDisplayServices::~XRandrDisplayServices() {
    if (!guardAlive())
        return;
    delete m_guardWatch;
    m_guardWatch = nullptr;
    // Read back, not assumed: an exit that did not put the mode back (or
    // ended some other way) leaves it to the guard, which tries once.
    const std::optional<OutputView> shown =
        m_userMode ? m_screen->view(m_userMode->output) : std::nullopt;
    if (shown && showsUserMode(*m_userMode, *shown))
        m_guard.standDown();
    else
        m_guard.release();
}

std::string XRandrDisplayServices::output() const {
    if (m_userMode)
        return m_userMode->output;
    const QString wanted = m_outputName ? m_outputName() : QString();
    return m_screen->resolveOutput(wanted.toStdString());
}

QSize XRandrDisplayServices::screenSize() const {
    const PixelSize size = m_screen->outputSize(output());
    return {size.width, size.height};
}

void XRandrDisplayServices::rememberUserMode() {
    m_userMode.reset();
    if (const std::optional<OutputView> shown = m_screen->view(output()))
        m_userMode = userModeOf(*shown);
}

bool XRandrDisplayServices::restoring(int width, int height) const {
    return m_userMode && m_userMode->footprint() == PixelSize{width, height};
}

double XRandrDisplayServices::userRate() const {
    if (m_userMode)
        return m_userMode->mode.refreshRate();
    const std::optional<OutputView> shown = m_screen->view(output());
    return shown ? shown->current.refreshRate() : 0.0;
}

int XRandrDisplayServices::testMode(int width, int height) {
    const std::optional<OutputView> shown = m_screen->view(output());
    if (!shown)
        return DISP_CHANGE_FAILED;
    const bool offered =
        restoring(width, height)
            ? showsUserMode(*m_userMode, *shown) || restoreModeFor(*m_userMode, *shown).has_value()
            : switchModeFor(*shown, {width, height}, userRate()).has_value();
    return offered ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_FAILED;
}

void XRandrDisplayServices::applyMode(int width, int height) {
    if (!m_userMode)
        rememberUserMode();
    startGuard();
    if (restoring(width, height))
        m_screen->restore(*m_userMode);
    else
        m_screen->switchTo(output(), {width, height}, userRate());
}

void XRandrDisplayServices::startGuard() {
    if (guardAlive() || m_guardProgram.isEmpty() || !m_userMode)
        return;
    // The guard holds the mode saved as the user's, never the one showing.
    QStringList arguments;
    for (const std::string& word : guardArguments(*m_userMode))
        arguments << QString::fromStdString(word);
    if (m_guard.start(m_guardProgram, arguments))
        watchGuard();
}

bool XRandrDisplayServices::guardAlive() {
    // The notifier goes before the descriptor it watches may be closed.
    delete m_guardWatch;
    m_guardWatch = nullptr;
    if (!m_guard.alive())
        return false;
    watchGuard();
    return true;
}

void XRandrDisplayServices::watchGuard() {
    // A guard that dies (killed) closes its end: it is reaped at once, not
    // left a zombie until the next change.
    m_guardWatch = new QSocketNotifier(m_guard.link(), QSocketNotifier::Read);
    QObject::connect(m_guardWatch, &QSocketNotifier::activated, m_guardWatch, [this] {
        m_guardWatch->setEnabled(false);
        m_guardWatch->deleteLater();
        m_guardWatch = nullptr;
        m_guard.alive();
    });
}

} // namespace velmora
