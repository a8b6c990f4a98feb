#pragma once

#include <QWebEnginePage>

namespace velmora {

/// A web page that gives the pages it shows nothing beyond their own
/// content: no new windows, no local files, no navigation by dropped files,
/// no device or desktop access, no notifications, no clipboard, no full
/// screen, no downloads, no protocol handlers, no local network addresses
/// over WebRTC, and no dialog of any kind: an alert is dropped, a question
/// is answered no, a prompt is cancelled and a file choice chooses nothing.
/// Only the question whether to leave a page is answered yes, so that a page
/// cannot hold the browser on itself.  The main frame shows http and https
/// addresses only; frames inside a page may also show the documents a page
/// makes itself (about:blank, about:srcdoc, blob: and data:).
class HardenedPage : public QWebEnginePage {
public:
    explicit HardenedPage(QObject* parent);

    /// Whether the main frame may go to `address`: only http and https.
    static bool isAllowedAddress(const QUrl& address);
    /// Whether a frame inside a page may go to `address`: what the main
    /// frame may, and the page's own documents.
    static bool isAllowedFrameAddress(const QUrl& address);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg,
                          const QString& defaultValue, QString* result) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                            const QStringList& acceptedMimeTypes) override;

private:
    void denyFeature(const QUrl& origin, Feature feature);
};

} // namespace velmora
