#pragma once

#include "FetchProgress.h"
#include "GuideType.h"

#include "guides/frmDownload.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class QProgressBar;

namespace velmora {

class Form;
class PageReceiver;

/// The reader's side of a running fetch: the one-shot starter tmrTimer that
/// creates the download client once the Load handler has returned, the
/// replacement of an older client (so at most one fetch runs), and the
/// fetch display on the reading screen: the bar prgFetching with its label
/// and frame, and "Back to guides", which stays disabled while a fetch runs.
class FetchScheduler : public QObject {
    Q_OBJECT
public:
    /// Works on the reading screen `guide`; the download clients it starts
    /// deliver to `receiver`.  Controls missing from the screen are skipped.
    FetchScheduler(const Form& guide, PageReceiver& receiver, QObject* parent = nullptr);
    ~FetchScheduler() override;

    /// Arms the starter: the next turn of the event loop starts a fetch of
    /// `url` for the guide `guide`.
    void arm(const QString& url, GuideType guide);
    /// The guide of the running (or last) fetch; None before the first.
    GuideType fetchGuide() const { return m_fetchGuide; }
    frmDownload* downloader() const { return m_Downloader.get(); }

    /// A fetch is under way: "Back to guides" disabled, the display shown;
    /// or over: the reverse.
    void setRunning(bool running);

    // The bar's value as the fetch moves on (see FetchProgress).
    double progressValue() const { return m_progress.value(); }
    void resetProgress();
    void progressToMinimum();
    void progressStep();
    /// Page `page` (0-based) of `totalPages` arrived.
    void pageArrived(int page, int totalPages);

public slots:
    void tmrTimer_Timer();

private:
    void showProgress();

    QPointer<QWidget> m_ButtonEx13;
    QPointer<QWidget> m_lblFetchProgress;
    QPointer<QWidget> m_Shape5;
    QPointer<QProgressBar> m_prgFetching;
    PageReceiver& m_receiver;
    QTimer m_tmrTimer;
    std::unique_ptr<frmDownload> m_Downloader;
    FetchProgress m_progress;
    QString m_url;
    // The guide the armed start is for, and the guide of the running fetch.
    GuideType m_armedGuide = GuideType::None;
    GuideType m_fetchGuide = GuideType::None;
};

} // namespace velmora
