#include "frmPlayVideos.h"

#include "VideoAddresses.h"
#include "VideoGlobals.h"

#include "platform/Browser.h"
#include "platform/BrowserFactory.h"
#include "platform/ControlEvents.h"
#include "platform/FormLoader.h"
#include "platform/MessageBoxService.h"
#include "platform/ReadingOrder.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QUrl>

namespace velmora {

frmPlayVideos::frmPlayVideos(QString kind, QString server, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_form(FormLoader::load(QStringLiteral(":/forms/frmPlayVideos.json"), this)),
      m_kind(std::move(kind)), m_server(std::move(server)) {
    setModal(true);
    setFixedSize(size());
    bindClick(m_form.control(QStringLiteral("ButtonEx9")), this, SLOT(ButtonEx9_Click()));
}

frmPlayVideos::~frmPlayVideos() {
    Form_Unload();
}

Browser* frmPlayVideos::playerBrowser() const {
    return m_browserWidget ? m_PlayerBrowser : nullptr;
}

void frmPlayVideos::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The borderless window is sized once, when it is first shown.
    if (!m_setUp) {
        m_setUp = true;
        Form_Resize();
    }
}

void frmPlayVideos::Form_Resize() {
    move(x(), 0);
    QWidget* frame1 = m_form.control(QStringLiteral("Frame1"));
    QString error;
    m_PlayerBrowser = BrowserFactory::instance().create(
        frame1, QStringLiteral("MyWebBrowserControlName"), &error);
    if (!m_PlayerBrowser) {
        showMessage(QStringLiteral("Make sure you have Explorer installed on your computer"),
                    QStringLiteral("Internet Explorer required..."), QMessageBox::Information,
                    QMessageBox::Ok, this);
        return;
    }
    m_browserWidget = m_PlayerBrowser->widget();
    m_browserWidget->setGeometry(twipsToPixels(QRect(450, 1035, 15315, 11175)));
    m_browserWidget->show();
    // The title and "Back to videos" stay in front of the page.
    for (const char* name : {"Frame3", "Frame4", "Frame2"})
        if (QWidget* frame = m_form.control(QLatin1String(name)))
            frame->raise();
    if (auto* title = m_form.control<QLabel>(QStringLiteral("Label3")))
        title->setText(QStringLiteral("Playing: ") + g_SelectedVideoName);
    const QString address = VideoAddresses::playerPage(m_server, m_kind, g_SelectedVideoName);
    if (!address.isEmpty())
        m_PlayerBrowser->navigate(QUrl(address));
}

void frmPlayVideos::ButtonEx9_Click() {
    g_SkipVideoReload = true;
    done(QDialog::Accepted);
}

// The borderless window has no close box; Escape is the only other way
// out, and the user returns to the same list either way.
void frmPlayVideos::reject() {
    ButtonEx9_Click();
}

void frmPlayVideos::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void frmPlayVideos::Form_Unload() {
    delete m_browserWidget;
    m_PlayerBrowser = nullptr;
}

bool frmPlayVideos::focusNextPrevChild(bool next) {
    return ReadingOrder::moveFocus(this, next) || QDialog::focusNextPrevChild(next);
}

} // namespace velmora
