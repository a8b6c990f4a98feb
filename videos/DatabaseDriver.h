#pragma once

#include <QString>
#include <QStringList>

namespace velmora {

class DataGateway;

/// The last state the text-download control reported; kept for the run.
inline qint16 g_GatewayState = 0;

/// Downloads the video list files through the text-download control and
/// hands back category names or video entries.  Nothing is cached: every
/// call downloads its file again.  Failures show only as empty results.
class DatabaseDriver {
public:
    /// What the driver needs of the window it works for.
    class Host {
    public:
        /// Disables (false) or enables (true) the browsing controls around a download.
        virtual void enableControls(bool enableState) = 0;
        /// Shows the video list's single "Loading videos..." line.
        virtual void showLoadingVideos() = 0;

    protected:
        ~Host() = default;
    };

    /// Works through `gateway` (whose state changes it records in
    /// g_GatewayState) for `host`, on the content server `server` ("host[:port]").
    DatabaseDriver(DataGateway& gateway, Host& host, const QString& server);

    /// The document at `address` (spaces around it ignored) as text, or ""
    /// on any failure.  Waits, processing events, until the gateway is free
    /// before it starts; the host's controls are disabled meanwhile.
    QString FetchText(const QString& address);

    /// The category names of the kind's category file ("Buyer" or anything
    /// else, which reads the Coder files), in file order.
    QStringList GetVideoCategories(const QString& kind);

    /// The video entries of `category` in the kind's video file; shows
    /// "Loading videos..." in the host's list first.
    QStringList GetCategoryVideos(const QString& kind, const QString& category);

    /// Reads from `server` ("host[:port]") from now on.
    void setServer(const QString& server) { m_server = server; }

    /// The gateway's state-change hook: records `state` in g_GatewayState.
    static void DataGateway_StateChanged(qint16 state);

private:
    void waitForIdleGateway();

    DataGateway& m_gateway;
    Host& m_host;
    QString m_server;
};

} // namespace velmora
