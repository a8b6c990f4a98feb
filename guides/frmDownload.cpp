#include "frmDownload.h"

#include "DownloadMessages.h"
#include "platform/MessageBoxService.h"

#include <QPointer>

#include <cerrno>

namespace velmora {

namespace {

// The number users and support can look up: the system's socket error code
// where one matches, otherwise the socket layer's own.
int socketErrorNumber(QAbstractSocket::SocketError error) {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return ECONNREFUSED;
    case QAbstractSocket::SocketTimeoutError:
        return ETIMEDOUT;
    case QAbstractSocket::NetworkError:
        return ENETUNREACH;
    case QAbstractSocket::SocketAccessError:
        return EACCES;
    default:
        return int(error);
    }
}

void showDownloadError(const QString& text) {
    showMessage(text, QStringLiteral("Error"), QMessageBox::Critical, QMessageBox::Ok);
}

} // namespace

frmDownload::frmDownload(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmDownload"));
    connect(&sckDownload, &QTcpSocket::connected, this, &frmDownload::sckDownload_Connect);
    connect(&sckDownload, &QTcpSocket::readyRead, this, &frmDownload::sckDownload_DataArrival);
    // The close and error handlers show modal messages and call the main
    // window, which may delete this window; running them from the event loop
    // rather than inside the socket's own signal keeps the socket out of it.
    connect(&sckDownload, &QTcpSocket::disconnected, this, &frmDownload::sckDownload_Close,
            Qt::QueuedConnection);
    connect(
        &sckDownload, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
            // The peer closing is how every HTTP/1.0 response ends: that
            // is the close event, not an error.
            if (error == QAbstractSocket::RemoteHostClosedError)
                return;
            QMetaObject::invokeMethod(
                this,
                [this, number = socketErrorNumber(error), description = sckDownload.errorString()] {
                    sckDownload_Error(number, description);
                },
                Qt::QueuedConnection);
        });
}

frmDownload::~frmDownload() {
    // Unloading drops the connection without any further call.
    sckDownload.disconnect(this);
    sckDownload.abort();
}

void frmDownload::StartWorking() {
    sckDownload.abort();
    m_session = std::make_unique<DownloadSession>(m_GroupFileURL);
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
    m_parser = HttpResponseParser(m_maxResponseBytes);
    sckDownload.write(m_session->request());
}

bool frmDownload::receiveAvailable() {
    // Straight from the socket into the response, which a page's picture
    // then keeps: no copy in between.
    const std::span<char> room = m_parser.prepare(sckDownload.bytesAvailable());
    const qint64 read = sckDownload.read(room.data(), qint64(room.size()));
    return m_parser.commit(qMax<qint64>(read, 0));
}

void frmDownload::sckDownload_DataArrival() {
    if (m_phase != Phase::Receiving) {
        sckDownload.readAll();
        return;
    }
    if (receiveAvailable())
        return;
    // Over the bound: stop reading at once and treat the file as failed.
    m_phase = Phase::Idle;
    sckDownload.abort();
    QMetaObject::invokeMethod(this, &frmDownload::processResponse, Qt::QueuedConnection);
}

void frmDownload::sckDownload_Close() {
    if (m_phase != Phase::Receiving)
        return;
    receiveAvailable();
    m_phase = Phase::Idle;
    sckDownload.close();
    processResponse();
}

void frmDownload::sckDownload_Error(int number, const QString& description) {
    if (m_phase != Phase::Connecting && m_phase != Phase::Receiving)
        return;
    // Closed before the message, so nothing of this connection arrives while
    // the box is up.
    m_phase = Phase::Stopped;
    sckDownload.abort();
    showDownloadError(socketErrorMessage(number, description));
}

void frmDownload::processResponse() {
    ResponseOutcome outcome = m_session->handleResponse(m_parser.finish());
    // Each message box and each call may end up deleting this window.
    const QPointer<frmDownload> alive(this);
    for (const QString& message : std::as_const(outcome.messages)) {
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
