#include "frmDownload.h"

#include "DownloadMessages.h"
#include "platform/Configuration.h"
#include "platform/MessageBoxService.h"

#include <QPointer>

#include <cerrno>
#include <cstring>

namespace velmora {

namespace {

void showDownloadError(const QString& text) {
    showMessage(text, QStringLiteral("Error"), QMessageBox::Critical, QMessageBox::Ok);
}

// The program's budget, its limit from the configuration file.  Never
// destroyed: pictures may still give bytes back while the program shuts down.
PageBudget& budgetForRun() {
    static PageBudget* const budget =
        new PageBudget(Configuration::current().pageBudgetMiB * 1024 * 1024);
    return *budget;
}

} // namespace

const int frmDownload::kOversizeErrorNumber = EFBIG;

frmDownload::frmDownload(QWidget* parent) : QWidget(parent), m_budget(&budgetForRun()) {
    setObjectName(QStringLiteral("frmDownload"));
    // The socket reports the end of a response and its errors from the event
    // loop, never from inside a read: the handlers may show modal messages
    // and call the main window, which may delete this window.
    connect(&sckDownload, &PageSocket::connected, this, &frmDownload::sckDownload_Connect);
    connect(&sckDownload, &PageSocket::readyRead, this, &frmDownload::sckDownload_DataArrival);
    connect(&sckDownload, &PageSocket::closedByPeer, this, &frmDownload::sckDownload_Close);
    connect(&sckDownload, &PageSocket::errorOccurred, this, &frmDownload::sckDownload_Error);
}

frmDownload::~frmDownload() {
    // Unloading drops the connection without any further call.
    sckDownload.disconnect(this);
    sckDownload.close();
}

void frmDownload::StartWorking() {
    sckDownload.close();
    m_session = std::make_unique<DownloadSession>(m_GroupFileURL, *m_budget);
    m_blocks = PageBlocks::create();
    m_errorBoxes = RepeatedErrorFilter();
    connectToServer();
}

void frmDownload::connectToServer() {
    bool ok = false;
    const uint port = m_session->port().toUInt(&ok);
    if (!ok || port == 0 || port > 65535) {
        m_phase = Phase::Stopped;
        showDownloadError(socketErrorMessage(EINVAL, QStringLiteral("Invalid port number")));
        return;
    }
    m_phase = Phase::Connecting;
    sckDownload.connectToHost(m_session->host(), quint16(port));
}

void frmDownload::sckDownload_Connect() {
    if (m_phase != Phase::Connecting)
        return;
    m_phase = Phase::Receiving;
    const qsizetype body = m_session->indexLoaded() ? m_maxPageBytes : m_maxIndexBytes;
    m_parser = HttpResponseParser(body, kHeaderRoom);
    // Pages go straight into the guide's blocks; the index is no page.
    if (m_session->indexLoaded())
        m_parser.setBodyBlocks(m_blocks);
    sckDownload.write(m_session->request());
}

bool frmDownload::receiveAvailable() {
    // Straight from the socket into the response, which a page's picture
    // then keeps: no copy in between.  What arrives meanwhile is taken too,
    // sparing a trip through the event loop per piece, up to a few rounds so
    // that a server faster than the reader cannot hold the window.
    for (int round = 0; round < 8; ++round) {
        const std::span<char> room = m_parser.prepare(sckDownload.bytesAvailable());
        const qsizetype read = sckDownload.read(room);
        if (!m_parser.commit(qMax<qsizetype>(read, 0)))
            return false;
        if (read < qsizetype(room.size()))
            break;
    }
    return true;
}

void frmDownload::sckDownload_DataArrival() {
    if (m_phase != Phase::Receiving)
        return;
    if (receiveAvailable())
        return;
    if (m_session->indexLoaded()) {
        dropOversizedPage();
        return;
    }
    // An index past its bound is no index: refused like an unreadable one.
    m_phase = Phase::Idle;
    sckDownload.close();
    QMetaObject::invokeMethod(this, &frmDownload::processResponse, Qt::QueuedConnection);
}

void frmDownload::dropOversizedPage() {
    m_phase = Phase::Stopped;
    sckDownload.close();
    m_parser = HttpResponseParser();
    QMetaObject::invokeMethod(
        this,
        [this] {
            showDownloadError(socketErrorMessage(
                kOversizeErrorNumber, QString::fromLocal8Bit(std::strerror(kOversizeErrorNumber))));
        },
        Qt::QueuedConnection);
}

void frmDownload::sckDownload_Close() {
    if (m_phase != Phase::Receiving)
        return;
    m_phase = Phase::Idle;
    // A page without a header block may end between the body's bound and
    // the header room above it: past the bound all the same.
    if (m_session->indexLoaded() && m_parser.endsOverBound()) {
        dropOversizedPage();
        return;
    }
    processResponse();
}

void frmDownload::sckDownload_Error(int number, const QString& description) {
    if (m_phase != Phase::Connecting && m_phase != Phase::Receiving)
        return;
    // Closed before the message, so nothing of this connection arrives while
    // the box is up; what was received of the file is dropped.
    m_phase = Phase::Stopped;
    sckDownload.close();
    m_parser = HttpResponseParser();
    showDownloadError(socketErrorMessage(number, description));
}

void frmDownload::processResponse() {
    ResponseOutcome outcome = m_session->handleResponse(m_parser.finish());
    // Each message box and each call may end up deleting this window.
    const QPointer<frmDownload> alive(this);
    for (const QString& message : m_errorBoxes.boxesToShow(outcome)) {
        showDownloadError(message);
        if (!alive)
            return;
    }
    if (outcome.pageCount && m_ParentForm) {
        m_ParentForm->NumberOfPages(*outcome.pageCount);
        if (!alive)
            return;
    }
    if (outcome.pageNumber && m_ParentForm) {
        m_ParentForm->LoadPictureAtPage(*outcome.pageNumber, outcome.picture);
        if (!alive)
            return;
    }
    if (outcome.connectAgain && m_phase == Phase::Idle)
        connectToServer();
}

} // namespace velmora
