#pragma once

#include <QWebEnginePage>

namespace velmora {

/// A web page that gives the pages it shows nothing beyond their own
/// content: no new windows, no local files, no navigation by dropped files,
/// no device or desktop access, no notifications, and only http and https
/// addresses, in any frame.
class HardenedPage : public QWebEnginePage {
public:
    explicit HardenedPage(QObject* parent);

    /// Whether a frame may go to `address`: only http and https.
    static bool isAllowedAddress(const QUrl& address);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    void denyFeature(const QUrl& origin, Feature feature);
};

} // namespace velmora
