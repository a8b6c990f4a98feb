#include "DatabaseDriver.h"

#include "DataGateway.h"
#include "VideoAddresses.h"
#include "VideoListFile.h"

#include "platform/Yield.h"

#include <QCoreApplication>

namespace velmora {

DatabaseDriver::DatabaseDriver(DataGateway& gateway, Host& host, const QString& server)
    : m_gateway(gateway), m_host(host), m_server(server) {
    QObject::connect(&gateway, &DataGateway::stateChanged, &gateway,
                     &DatabaseDriver::DataGateway_StateChanged);
}

void DatabaseDriver::DataGateway_StateChanged(qint16 state) {
    g_GatewayState = state;
}

// A request started further down the stack (this call may run inside its
// event loop) has to end before ours can start.  Pending events run once,
// as a yield; after that the loop sleeps until the next event instead of
// spinning, since only an event can end the other request.
void DatabaseDriver::waitForIdleGateway() {
    yieldEvents(1);
    while (g_GatewayState != DataGateway::ResponseReceived && m_gateway.isBusy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QString DatabaseDriver::FetchText(const QString& address) {
    m_host.enableControls(false);
    waitForIdleGateway();
    const QString text = m_gateway.openUrl(VideoListFile::trimSpaces(address)).value_or(QString());
    m_host.enableControls(true);
    return text;
}

QStringList DatabaseDriver::GetVideoCategories(const QString& kind) {
    return VideoListFile::categoryNames(FetchText(VideoAddresses::categoryFile(m_server, kind)));
}

QStringList DatabaseDriver::GetCategoryVideos(const QString& kind, const QString& category) {
    m_host.showLoadingVideos();
    // Lets the "Loading videos..." line paint before the wait.
    yieldEvents(5);
    const QString text = FetchText(VideoAddresses::videoFile(m_server, kind));
    return VideoListFile::categoryEntries(text, category);
}

} // namespace velmora
