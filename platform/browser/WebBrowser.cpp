// The browser module: the only code of the program that links the web
// engine.  The program loads it by name the first time it needs a browser.

#include "platform/Browser.h"

#include <QCoreApplication>
#include <QQuickWindow>
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

// The view composes its page through Qt Quick.  On its default GL path a
// window that holds a view is flushed through GL as a whole, which pulls the
// GL stack into every window that shows a page and stalls on software GL
// (virtual displays); the software scene graph keeps the windows on their
// raster backing store.  A backend chosen in the environment is respected.
void chooseSceneGraph() {
    static const bool chosen = [] {
        if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") &&
            qEnvironmentVariableIsEmpty("QSG_RHI_BACKEND"))
            QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        return true;
    }();
    Q_UNUSED(chosen);
}

} // namespace

} // namespace velmora

/// Creates a hidden browser as a child of `parent`; null when the
/// application was created without the context sharing the web engine
/// needs, on which it would crash.
extern "C" Q_DECL_EXPORT velmora::Browser* velmora_browser_create(QWidget* parent) {
    if (!QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts))
        return nullptr;
    velmora::chooseSceneGraph();
    return new velmora::WebBrowser(parent);
}
