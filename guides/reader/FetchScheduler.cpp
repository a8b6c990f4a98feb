#include "FetchScheduler.h"

#include "platform/ControlEvents.h"
#include "platform/Form.h"

#include <QProgressBar>

namespace velmora {

FetchScheduler::FetchScheduler(const Form& guide, PageReceiver& receiver, QObject* parent)
    : QObject(parent), m_ButtonEx13(guide.control(QStringLiteral("ButtonEx13"))),
      m_lblFetchProgress(guide.control(QStringLiteral("lblFetchProgress"))),
      m_Shape5(guide.control(QStringLiteral("Shape5"))),
      m_prgFetching(guide.control<QProgressBar>(QStringLiteral("prgFetching"))),
      m_receiver(receiver) {
    if (m_prgFetching)
        m_prgFetching->setRange(int(FetchProgress::kMin), int(FetchProgress::kMax));
    m_tmrTimer.setObjectName(QStringLiteral("tmrTimer"));
    connect(&m_tmrTimer, &QTimer::timeout, this, &FetchScheduler::tmrTimer_Timer);
}

FetchScheduler::~FetchScheduler() = default;

void FetchScheduler::arm(const QString& url, GuideType guide) {
    m_url = url;
    m_armedGuide = guide;
    m_tmrTimer.setInterval(1);
    m_tmrTimer.start();
}

void FetchScheduler::tmrTimer_Timer() {
    m_tmrTimer.stop();
    // Unloading the previous client closes its socket: its fetch stops
    // without another call into the receiver.
    m_Downloader.reset();
    m_fetchGuide = m_armedGuide;
    m_Downloader = std::make_unique<frmDownload>();
    m_Downloader->setGroupFileURL(m_url);
    m_Downloader->setParentForm(&m_receiver);
    m_Downloader->StartWorking();
}

void FetchScheduler::setRunning(bool running) {
    setButtonEnabled(m_ButtonEx13, !running);
    setShown(m_prgFetching, running);
    setShown(m_lblFetchProgress, running);
    setShown(m_Shape5, running);
}

void FetchScheduler::resetProgress() {
    m_progress.reset();
    showProgress();
}

void FetchScheduler::progressToMinimum() {
    m_progress.toMinimum();
    showProgress();
}

void FetchScheduler::progressStep() {
    m_progress.step();
    showProgress();
}

void FetchScheduler::pageArrived(int page, int totalPages) {
    m_progress.pageArrived(page, totalPages);
    showProgress();
}

void FetchScheduler::showProgress() {
    if (m_prgFetching)
        m_prgFetching->setValue(int(m_progress.value()));
}

} // namespace velmora
