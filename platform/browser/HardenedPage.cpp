#include "HardenedPage.h"

#include <QWebEngineSettings>

namespace velmora {

HardenedPage::HardenedPage(QObject* parent) : QWebEnginePage(parent) {
    QWebEngineSettings* page = settings();
    page->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    page->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, false);
    page->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    page->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    page->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    page->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    page->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    // Unanswered, a request would stay pending for ever; the page is told no.
    connect(this, &QWebEnginePage::featurePermissionRequested, this, &HardenedPage::denyFeature);
}

bool HardenedPage::isAllowedAddress(const QUrl& address) {
    const QString scheme = address.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

bool HardenedPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool) {
    return isAllowedAddress(url);
}

// A page that asks for a window (a script, a link to a new window, a
// middle click) gets none.
QWebEnginePage* HardenedPage::createWindow(WebWindowType) {
    return nullptr;
}

void HardenedPage::denyFeature(const QUrl& origin, Feature feature) {
    setFeaturePermission(origin, feature, PermissionDeniedByUser);
}

} // namespace velmora
