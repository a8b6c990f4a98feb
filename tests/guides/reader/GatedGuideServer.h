#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTcpServer>

#include <climits>

class QTcpSocket;

namespace velmora::test {

/// A loopback HTTP/1.0 server of files held in memory whose guide pages are
/// let out a few at a time: group index files (".txt") are answered at
/// once, a request for a page waits, unanswered, until the test releases
/// one more page.  Each answer is a complete response, then the close.
class GatedGuideServer : public QObject {
    Q_OBJECT
public:
    explicit GatedGuideServer(QObject* parent = nullptr);
    ~GatedGuideServer() override;

    bool listen();
    /// "127.0.0.1:<port>".
    QString hostPort() const;

    /// Serves `bytes` for the request target `path`.
    void addFile(const QByteArray& path, const QByteArray& bytes);
    /// Serves a guide: the index at `indexPath` ("<folder>/<name>.txt")
    /// listing page files "<name>/pNN.jpg" of its folder, with `pages` as
    /// their bytes.
    void addGuide(const QByteArray& indexPath, const QList<QByteArray>& pages);

    /// Lets `count` more pages out, answering waiting requests first.
    void release(int count = 1);
    /// Lets every page out from now on.
    void releaseAll() { release(INT_MAX / 2); }

    /// Request targets in the order they arrived.
    const QList<QByteArray>& requestedPaths() const { return m_paths; }
    /// Page requests that are waiting for a release.
    int waitingCount() const { return int(m_waiting.size()); }
    /// Connections the client dropped before they were answered.
    int droppedByClient() const { return m_dropped; }

signals:
    void requestReceived(const QByteArray& path);

private:
    void onReadyRead(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QByteArray& path);
    void answerWaiting();

    QTcpServer m_server;
    QHash<QByteArray, QByteArray> m_files;
    QHash<QTcpSocket*, QByteArray> m_received;
    QList<QPair<QTcpSocket*, QByteArray>> m_waiting;
    QList<QByteArray> m_paths;
    int m_allowance = 0;
    int m_dropped = 0;
};

} // namespace velmora::test
