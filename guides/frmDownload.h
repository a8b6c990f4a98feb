#pragma once

#include "DownloadSession.h"
#include "HttpResponseParser.h"
#include "PageReceiver.h"
#include "PageSocket.h"
#include "RepeatedErrorFilter.h"

#include <QWidget>

#include <memory>

namespace velmora {

/// The page download client: a window that is never shown and exists to own
/// the socket `sckDownload` and receive its events.  One instance fetches one
/// guide: set `GroupFileURL` and `ParentForm`, call `StartWorking`, and the
/// socket's signals drive the rest (index, then each page on a fresh
/// HTTP/1.0 connection), reporting to `ParentForm` and showing the download
/// errors.  Deleting the window ("unloading" it) drops any connection at once
/// without further calls to `ParentForm`; it may be deleted from inside a
/// `ParentForm` callback or while one of its messages is up.
class frmDownload : public QWidget {
    Q_OBJECT

public:
    explicit frmDownload(QWidget* parent = nullptr);
    ~frmDownload() override;

    QString GroupFileURL() const { return m_GroupFileURL; }
    void setGroupFileURL(const QString& url) { m_GroupFileURL = url; }
    /// The receiver of the page count and the pages; not owned, must outlive
    /// this window (or be cleared first).
    PageReceiver* ParentForm() const { return m_ParentForm; }
    void setParentForm(PageReceiver* receiver) { m_ParentForm = receiver; }

    /// Starts the fetch of `GroupFileURL` and returns at once.  Calling it
    /// again starts over, dropping a connection in progress.
    void StartWorking();

    /// True while a request is under way (connecting or receiving); false
    /// before the start, after the last page, and once the fetch stopped.
    bool isWorking() const { return m_phase == Phase::Connecting || m_phase == Phase::Receiving; }

    /// Largest group index body; a longer one is refused as an invalid index.
    static constexpr qsizetype kMaxIndexBytes = qsizetype(8) * 1024 * 1024;
    /// Largest page body; past it the connection is dropped and the fetch
    /// stops with a communication error (`kOversizeErrorNumber`).
    static constexpr qsizetype kMaxPageBytes = qsizetype(64) * 1024 * 1024;
    /// Room for the header block on top of either body bound.
    static constexpr qsizetype kHeaderRoom = qsizetype(64) * 1024;
    /// The system's "File too large", shown as the number and description
    /// of the communication error for a page past its bound.
    static const int kOversizeErrorNumber;

    /// The budget the pages are kept against; the run's own by default.
    void setPageBudget(PageBudget& budget) { m_budget = &budget; }

    /// Bounds of the index and page bodies; the defaults above suit guides.
    void setBodyLimits(qsizetype indexBytes, qsizetype pageBytes) {
        m_maxIndexBytes = indexBytes;
        m_maxPageBytes = pageBytes;
    }

private:
    enum class Phase { Idle, Connecting, Receiving, Stopped };

    void sckDownload_Connect();
    void sckDownload_DataArrival();
    void sckDownload_Close();
    void sckDownload_Error(int number, const QString& description);

    bool receiveAvailable();
    void dropOversizedPage();
    void connectToServer();
    void processResponse();

    PageSocket sckDownload;
    QString m_GroupFileURL;
    PageReceiver* m_ParentForm = nullptr;
    std::unique_ptr<DownloadSession> m_session;
    // A page error that keeps coming is shown only its first few times.
    RepeatedErrorFilter m_errorBoxes;
    PageBudget* m_budget = nullptr;
    qsizetype m_maxIndexBytes = kMaxIndexBytes;
    qsizetype m_maxPageBytes = kMaxPageBytes;
    HttpResponseParser m_parser;
    // This guide's page bytes; held by its pictures too, and given back
    // when the last of them goes.
    std::shared_ptr<PageBlocks> m_blocks;
    Phase m_phase = Phase::Idle;
};

} // namespace velmora
