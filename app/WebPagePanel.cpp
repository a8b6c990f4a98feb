#include "WebPagePanel.h"

#include "ShellGlobals.h"

#include "platform/Browser.h"
#include "platform/BrowserFactory.h"
#include "platform/ControlEvents.h"
#include "platform/Form.h"
#include "platform/MessageBoxService.h"
#include "platform/Twips.h"
#include "platform/Yield.h"

#include <algorithm>

#include <QList>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace velmora {

namespace {

// Puts `panel` just above the highest of `covered` and lifts those of
// `onTop` that would then lie under it to just above it; every other
// sibling keeps its place (a sibling's index is its drawing order).
void stackBetween(QWidget* panel, const QList<QWidget*>& covered, const QList<QWidget*>& onTop) {
    QWidget* parent = panel->parentWidget();
    if (!parent)
        return;
    QList<QWidget*> order;
    for (QObject* child : parent->children())
        if (auto* widget = qobject_cast<QWidget*>(child); widget && widget != panel)
            order << widget;
    qsizetype at = 0;
    for (QWidget* widget : covered)
        at = std::max(at, order.indexOf(widget) + 1);
    QList<QWidget*> lifted;
    for (QWidget* widget : order.first(at))
        if (onTop.contains(widget))
            lifted << widget;
    for (QWidget* widget : lifted)
        order.removeOne(widget);
    at -= lifted.size();
    order.insert(at, panel);
    for (qsizetype i = 0; i < lifted.size(); ++i)
        order.insert(at + 1 + i, lifted[i]);
    for (QWidget* widget : order)
        widget->raise();
}

} // namespace

WebPagePanel::WebPagePanel(const Form& form, QWidget* window, QString webSite, QObject* parent)
    : QObject(parent), m_form(form), m_window(window),
      m_tmrDownload(form.timer(QStringLiteral("tmrDownload"))), m_webSite(std::move(webSite)) {
    if (m_tmrDownload) {
        // A coarse timer may come a little early; the panel shows after a
        // whole second.
        m_tmrDownload->setTimerType(Qt::PreciseTimer);
        m_tmrDownload->setSingleShot(true);
        connect(m_tmrDownload, &QTimer::timeout, this, &WebPagePanel::tmrDownload_Timer);
    }
    bindClick(control("btnContactUs"), this, SLOT(btnContactUs_Click()));
    bindClick(control("ButtonEx3"), this, SLOT(ButtonEx3_Click()));
    bindClick(control("ButtonEx4"), this, SLOT(ButtonEx4_Click()));
}

QWidget* WebPagePanel::control(const char* name) const {
    return m_form.control(QLatin1String(name));
}

QUrl WebPagePanel::contactPage() const {
    return QUrl(QStringLiteral("http://") + m_webSite + QStringLiteral("/contactus.php"));
}

void WebPagePanel::Label9_Click() {
    m_window->setCursor(Qt::WaitCursor);
    yieldEvents(3);
    if (m_tmrDownload)
        m_tmrDownload->start();
    if (!g_BrowserCreated) {
        g_BrowserCreated = true;
        if (!createBrowser())
            showMessage(QStringLiteral("Make sure you have Explorer installed on your computer"),
                        QStringLiteral("Internet Explorer required..."), QMessageBox::Information,
                        QMessageBox::Ok, m_window);
    }
    yieldEvents(3);
    QWidget* contactUs = control("btnContactUs");
    if (contactUs && contactUs->isVisible() && contactUs->isEnabled())
        contactUs->setFocus(Qt::OtherFocusReason);
    setButtonEnabled(control("ButtonEx3"), false);
    yieldEvents(3);
}

bool WebPagePanel::createBrowser() {
    QWidget* panel = control("fraOnTheWeb");
    if (!panel)
        return false;
    m_Browser = BrowserFactory::instance().create(
        panel, QStringLiteral("MyWebBrowserControlNameTwo"), nullptr);
    if (!m_Browser)
        return false;
    m_Browser->stop();
    yieldEvents(2);
    m_Browser->navigate(contactPage());
    QWidget* view = m_Browser->widget();
    view->setGeometry(twipsToPixels(QRect(0, 1170, 13335, 8895)));
    view->show();
    view->raise();
    return true;
}

void WebPagePanel::tmrDownload_Timer() {
    if (m_tmrDownload)
        m_tmrDownload->stop();
    QWidget* panel = control("fraOnTheWeb");
    setShown(panel, true);
    if (panel) {
        moveInTwips(panel, 1850, 800);
        // Over a section opened within the second, under the controls that
        // lie inside the panel's rectangle and stay in use.
        stackBetween(panel, {control("fraDoors"), control("fraGuide"), control("fraVideo")},
                     {control("Command1"), control("labelshadow"), control("ButtonEx1"),
                      control("lblShadowTwo")});
    }
    setShown(control("Command1"), true);
    setShown(control("labelshadow"), true);
    setShown(control("Shape2"), false);
    if (QWidget* back = control("Command1"))
        back->resize(back->width(), twipsToPixels(690));
    // The exit button goes to the top right, its shadow with it.
    constexpr int exitLeft = 13750, exitTop = 1035;
    placeInTwips(control("ButtonEx1"), exitLeft, exitTop, 690);
    placeInTwips(control("labelshadow"), 11520, 1170, 600);
    placeInTwips(control("lblShadowTwo"), exitLeft + 175, exitTop + 150, 600);
    m_window->unsetCursor();
}

void WebPagePanel::btnContactUs_Click() {
    // Without a browser only the browser's steps are skipped.
    if (m_Browser) {
        m_Browser->stop();
        m_Browser->navigate(contactPage());
    }
    setButtonEnabled(control("ButtonEx3"), true);
}

void WebPagePanel::ButtonEx3_Click() {
    if (!m_Browser)
        return;
    m_Browser->stop();
    m_Browser->goBack();
}

void WebPagePanel::ButtonEx4_Click() {
    if (!m_Browser)
        return;
    m_Browser->stop();
    m_Browser->goForward();
}

} // namespace velmora
