// The browser module: the only code of the program that links the web
// engine.  The program loads it by name the first time it needs a browser.

#include "platform/Browser.h"

#include <QUrl>
#include <QWebEngineView>

namespace velmora {

namespace {

class WebBrowser : public QWebEngineView, public Browser {
public:
    explicit WebBrowser(QWidget* parent) : QWebEngineView(parent) { hide(); }

    QWidget* widget() override { return this; }
    void navigate(const QUrl& address) override { load(address); }
    void stop() override { QWebEngineView::stop(); }
    void goBack() override { back(); }
    void goForward() override { forward(); }
    QUrl address() const override { return url(); }
    QString title() const override { return QWebEngineView::title(); }
};

} // namespace

} // namespace velmora

/// Creates a hidden browser as a child of `parent`.
extern "C" Q_DECL_EXPORT velmora::Browser* velmora_browser_create(QWidget* parent) {
    return new velmora::WebBrowser(parent);
}
