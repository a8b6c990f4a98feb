// The browser module: the only code of the program that links the web
// engine.  The program loads it by name the first time it needs a browser.

#include "HardenedPage.h"
#include "platform/Browser.h"

#include <QLoggingCategory>
#include <QOpenGLContext>
#include <QQuickWindow>
#include <QUrl>
#include <QWebEngineView>

namespace velmora {

namespace {

class WebBrowser : public QWebEngineView, public Browser {
public:
    explicit WebBrowser(QWidget* parent) : QWebEngineView(parent) {
        hide();
        setPage(new HardenedPage(this));
    }

    QWidget* widget() override { return this; }
    // A view-source address reaches the page's navigation check as the
    // http address it shows, so addresses are checked here as well.
    void navigate(const QUrl& address) override {
        if (HardenedPage::isAllowedAddress(address))
            load(address);
    }
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

// The web engine reports its GL set-up at info level as it starts, two
// dozen lines on the user's terminal in every run that shows a page; the
// environment's logging rules can still ask for them.
void quietEngineReport() {
    static const bool quiet = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
        return true;
    }();
    Q_UNUSED(quiet);
}

} // namespace

} // namespace velmora

/// Creates a hidden browser as a child of `parent`; null when there is no
/// global GL share context, without which the web engine would crash.
extern "C" Q_DECL_EXPORT velmora::Browser* velmora_browser_create(QWidget* parent) {
    if (!QOpenGLContext::globalShareContext())
        return nullptr;
    velmora::chooseSceneGraph();
    velmora::quietEngineReport();
    return new velmora::WebBrowser(parent);
}
