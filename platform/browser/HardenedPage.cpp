#include "HardenedPage.h"

#include <QCoreApplication>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineProfile>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineSettings>

namespace velmora {

namespace {

// The engine asks whether to leave a page that has a leave handler through
// javaScriptConfirm, with this text of its own in place of a page's.
QString leavePageQuestion() {
    return QCoreApplication::translate(
        "QWebEnginePage",
        "Are you sure you want to leave this page? Changes that you made may not be saved.");
}

// Every page of a profile shares its downloads; one refusal per profile.
void refuseDownloads(QWebEngineProfile* profile) {
    static const char kRefusing[] = "velmoraRefusesDownloads";
    if (profile->property(kRefusing).toBool())
        return;
    profile->setProperty(kRefusing, true);
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile,
                     [](QWebEngineDownloadRequest* download) { download->cancel(); });
}

} // namespace

HardenedPage::HardenedPage(QObject* parent) : QWebEnginePage(parent) {
    QWebEngineSettings* page = settings();
    page->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    page->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, false);
    page->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    page->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    page->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    page->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    page->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    // Off by default today; set so that a newer engine's defaults change
    // nothing here.
    page->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    page->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    page->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    // Otherwise WebRTC tells a page the machine's addresses on every network.
    page->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    // Unanswered, a request would stay pending for ever; the page is told no.
    connect(this, &QWebEnginePage::featurePermissionRequested, this, &HardenedPage::denyFeature);
    connect(this, &QWebEnginePage::fullScreenRequested, this,
            [](QWebEngineFullScreenRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
            [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    refuseDownloads(profile());
}

bool HardenedPage::isAllowedAddress(const QUrl& address) {
    const QString scheme = address.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

bool HardenedPage::isAllowedFrameAddress(const QUrl& address) {
    if (isAllowedAddress(address))
        return true;
    const QString scheme = address.scheme();
    if (scheme == QLatin1String("blob") || scheme == QLatin1String("data"))
        return true;
    // about:blank and about:srcdoc are the only documents of their scheme
    // that a page makes for itself.
    const QString path = address.path();
    return scheme == QLatin1String("about") &&
           (path == QLatin1String("blank") || path == QLatin1String("srcdoc"));
}

bool HardenedPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) {
    return isMainFrame ? isAllowedAddress(url) : isAllowedFrameAddress(url);
}

// A page that asks for a window (a script, a link to a new window, a
// middle click) gets none.
QWebEnginePage* HardenedPage::createWindow(WebWindowType) {
    return nullptr;
}

// A page's dialogs would be windows of the program, modal over it and
// looking like its own; a page gets the answer of a user who said no.
void HardenedPage::javaScriptAlert(const QUrl&, const QString&) {}

bool HardenedPage::javaScriptConfirm(const QUrl&, const QString& msg) {
    // Saying no here would keep Back, Next and Contact Us from leaving the page.
    return msg == leavePageQuestion();
}

bool HardenedPage::javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) {
    return false;
}

QStringList HardenedPage::chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) {
    return {};
}

void HardenedPage::denyFeature(const QUrl& origin, Feature feature) {
    setFeaturePermission(origin, feature, PermissionDeniedByUser);
}

} // namespace velmora
