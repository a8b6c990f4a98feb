#pragma once

#include <QObject>
#include <QString>

class QTimer;
class QUrl;
class QWidget;

namespace velmora {

class Browser;
class Form;

/// The web page panel of the main window: the "here" link of the welcome
/// screen opens the product's contact page in a browser created once per
/// run, shown in the panel one second later with Back, Next and Contact Us.
/// "Back to welcome" closes the panel; the browser stays with its page.
class WebPagePanel : public QObject {
    Q_OBJECT
public:
    /// Works on the controls of the main window's `form`; the contact page
    /// is "http://" + `webSite` + "/contactus.php".
    WebPagePanel(const Form& form, QWidget* window, QString webSite, QObject* parent = nullptr);

    /// The browser once created; null before, and when it could not be.
    Browser* browser() const { return m_Browser; }
    QUrl contactPage() const;

public slots:
    void Label9_Click();
    void tmrDownload_Timer();
    void btnContactUs_Click();
    void ButtonEx3_Click();
    void ButtonEx4_Click();

private:
    bool createBrowser();
    QWidget* control(const char* name) const;

    const Form& m_form;
    QWidget* m_window;
    QTimer* m_tmrDownload;
    QString m_webSite;
    Browser* m_Browser = nullptr;
};

} // namespace velmora
