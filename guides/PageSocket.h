#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <span>

class QSocketNotifier;

namespace velmora {

/// A small non-blocking TCP client for the page download client, driven by
/// the event loop through socket notifiers.  It tells the two ends of a
/// connection apart as the system reports them: `closedByPeer` is an orderly
/// close (end of stream); a reset, a refused or failed connect and every
/// other failure is `errorOccurred` with the system's error number and its
/// description.  Received bytes are read by the owner, straight into its own
/// buffer (`read`), so nothing is copied on the way.
class PageSocket : public QObject {
    Q_OBJECT

public:
    explicit PageSocket(QObject* parent = nullptr);
    ~PageSocket() override;

    /// Connects to `host` (an address or a name, looked up without
    /// blocking) on `port`; drops a connection in progress first.
    void connectToHost(const QString& host, quint16 port);
    /// Queues `bytes` for sending on the connected socket.
    void write(const QByteArray& bytes);
    /// Bytes the system holds for reading now (at least 1 while connected,
    /// so that an end or an error can be read).
    qsizetype bytesAvailable() const;
    /// Reads into `room`: the bytes read, 0 at the orderly end of the stream
    /// (then `closedByPeer` follows), or -1 when nothing is there yet or the
    /// connection failed (then `errorOccurred` follows).
    qsizetype read(std::span<char> room);
    /// Drops the connection at once; no signal follows.
    void close();
    bool isOpen() const { return m_fd >= 0; }

signals:
    void connected();
    void readyRead();
    void closedByPeer();
    void errorOccurred(int number, const QString& description);

private:
    void startConnect(const QByteArray& address, int family, quint16 port);
    void onWritable();
    void onReadable();
    /// Runs `event` from the event loop, unless this connection is gone by then.
    void later(std::function<void()> event);
    void failLater(int number);
    void fail(int number);
    void fail(int number, const QString& description);
    void retire(QSocketNotifier*& notifier);

    int m_fd = -1;
    bool m_connecting = false;
    int m_lookupId = -1;
    quint64 m_generation = 0;
    QByteArray m_pending;                      // request bytes the system has not taken yet
    QSocketNotifier* m_readNotifier = nullptr; // children of this socket
    QSocketNotifier* m_writeNotifier = nullptr;
};

} // namespace velmora
