#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <span>

namespace velmora {

/// A small non-blocking TCP client for the page download client, driven by
/// the event loop through socket notifiers.  It tells the two ends of a
/// connection apart as the system reports them: `closedByPeer` is an orderly
/// close (end of stream); a reset, a refused or failed connect and every
/// other failure is `errorOccurred` with the system's error number and its
/// description.  Received bytes are read by the owner, straight into its own
/// buffer (`read`), so nothing is copied on the way.  A host name is looked
/// up once and its addresses reused for the next connections to it; each
/// address is tried in turn, IPv4 ones first, until one connects.
class PageSocket : public QObject {
    Q_OBJECT

public:
    explicit PageSocket(QObject* parent = nullptr);
    ~PageSocket() override;

    /// Connects to `host` (an address or a name, looked up without
    /// blocking) on `port`; drops a connection in progress first.
    void connectToHost(const QString& host, quint16 port);
    /// Connects to the first of `addresses` (IPv4 ones first) that takes
    /// the connection on `port`; when none does, the error of the last one
    /// tried is reported.  Drops a connection in progress first.
    void connectToAddresses(const QList<QHostAddress>& addresses, quint16 port);
    /// Queues `bytes` for sending on the connected socket.
    void write(const QByteArray& bytes);
    /// Bytes the system holds for reading now (at least 1 while connected,
    /// so that an end or an error can be read).
    qsizetype bytesAvailable() const;
    /// Reads into `room`, from the owner's `readyRead` handler: the bytes
    /// read, 0 at the orderly end of the stream (then `closedByPeer`
    /// follows), or -1 when nothing is there yet or the connection failed
    /// (then `errorOccurred` follows).  Either signal comes once that
    /// handler has returned, never from inside this call.
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
    void connectToNext();
    void dropDescriptor();
    void onWritable();
    void onReadable();
    void failLater(int number);
    void fail(int number);
    void fail(int number, const QString& description);

    int m_fd = -1;
    bool m_connecting = false;
    int m_lookupId = -1;
    quint64 m_generation = 0;
    quint16 m_port = 0;
    QList<QHostAddress> m_candidates; // addresses not tried yet for this connection
    int m_lastError = 0;              // of the last address that failed
    QString m_resolvedHost;           // the name m_resolved belongs to
    QList<QHostAddress> m_resolved;
    // Set by a read that met the end or a failure, told after readyRead.
    bool m_ended = false;
    int m_readError = 0;
    QByteArray m_pending; // request bytes the system has not taken yet
    // One of each for the socket's life, moved from descriptor to descriptor.
    QSocketNotifier m_readNotifier{QSocketNotifier::Read};
    QSocketNotifier m_writeNotifier{QSocketNotifier::Write};
};

} // namespace velmora
