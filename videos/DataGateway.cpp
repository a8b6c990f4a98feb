#include "DataGateway.h"

#include "VideoListFile.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace velmora {

/// One running request; lives on the stack of the openUrl that started it.
struct DataGateway::Pending {
    QNetworkReply* reply = nullptr;
    QEventLoop loop;
    QByteArray body;
    bool receiving = false;
    bool failed = false;
    bool done = false;
};

DataGateway::DataGateway(QObject* parent) : QObject(parent) {}

DataGateway::~DataGateway() {
    cancel();
}

void DataGateway::cancel() {
    if (!m_pending)
        return;
    Pending& pending = *m_pending;
    pending.failed = true;
    finish(pending);
}

// Ends the request at once, whether it completed, failed, timed out or was
// cancelled: the busy flag drops here, not when the waiting openUrl resumes,
// because that openUrl may sit below other event loops for a while.
void DataGateway::finish(Pending& pending) {
    if (pending.done)
        return;
    pending.done = true;
    QNetworkReply* reply = pending.reply;
    reply->disconnect(this);
    if (!reply->isFinished())
        reply->abort();
    reply->deleteLater();
    if (!pending.failed) {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        pending.failed = reply->error() != QNetworkReply::NoError || status >= 300;
    }
    if (m_pending == &pending)
        m_pending = nullptr;
    pending.loop.quit();
    emit stateChanged(pending.failed ? Failed : ResponseReceived);
}

std::optional<QString> DataGateway::openUrl(const QString& address) {
    // One request at a time, as the caller's wait for an idle gateway expects.
    if (m_pending)
        return std::nullopt;
    const QUrl url(address);
    if (!url.isValid() || url.scheme() != QLatin1String("http") || url.host().isEmpty())
        return std::nullopt;

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    Pending pending;
    pending.reply = m_network.get(request);
    // The network thread buffers no more than this ahead of us, so a body
    // past the limit costs the limit, not what the server could send.
    pending.reply->setReadBufferSize(qint64(1) << 20);
    m_pending = &pending;
    emit stateChanged(Requesting);
    if (pending.done)
        return std::nullopt;

    QTimer timeout;
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, this, [this, &pending] {
        pending.failed = true;
        finish(pending);
    });
    // Takes what has arrived; false once the body is over the limit.
    const auto take = [this, &pending] {
        pending.body += pending.reply->readAll();
        if (pending.body.size() <= m_maximumSize)
            return true;
        pending.failed = true;
        finish(pending);
        return false;
    };
    connect(pending.reply, &QNetworkReply::readyRead, this, [this, &pending, take] {
        if (take() && !pending.receiving) {
            pending.receiving = true;
            emit stateChanged(Receiving);
        }
    });
    connect(pending.reply, &QNetworkReply::finished, this, [this, &pending, take] {
        if (take())
            finish(pending);
    });
    timeout.start(m_timeout);
    if (!pending.done)
        pending.loop.exec(QEventLoop::AllEvents);
    if (pending.failed)
        return std::nullopt;
    return VideoListFile::decode(pending.body);
}

} // namespace velmora
