#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <QString>

#include <chrono>
#include <optional>

class QNetworkReply;

namespace velmora {

/// The text-download control: fetches one address at a time as text over
/// HTTP.  It reports its progress through stateChanged (ResponseReceived
/// once a response has arrived), says whether a request is running, and
/// lets a caller cancel the running request.
class DataGateway : public QObject {
    Q_OBJECT
public:
    /// The states reported through stateChanged.
    enum State : qint16 {
        Requesting = 5,
        Receiving = 7,
        ResponseReceived = 8,
        Failed = 11,
    };

    explicit DataGateway(QObject* parent = nullptr);
    ~DataGateway() override;

    /// True while a request of this gateway is running.
    bool isBusy() const { return m_pending != nullptr; }

    /// Stops the running request, whose fetch then fails; harmless when idle.
    void cancel();

    /// Fetches `address` and returns the document as text once the transfer
    /// is complete; events keep being processed meanwhile.  Nothing when the
    /// gateway is already busy, the address is not HTTP, the server cannot
    /// be reached or answers with an error status, the body exceeds the size
    /// limit, the time-out passes, or the request is cancelled.
    std::optional<QString> openUrl(const QString& address);

    /// The longest a whole request may take (30 s unless set).
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    /// The largest document accepted (4 MiB unless set): a list file of
    /// thousands of videos is a few hundred KiB, and splitting one costs
    /// several times its size.
    void setMaximumSize(qint64 bytes) { m_maximumSize = bytes; }

signals:
    void stateChanged(qint16 state);

private:
    struct Pending;
    void finish(Pending& pending);

    QNetworkAccessManager m_network;
    Pending* m_pending = nullptr;
    std::chrono::milliseconds m_timeout = std::chrono::seconds(30);
    qint64 m_maximumSize = qint64(4) << 20;
};

} // namespace velmora
