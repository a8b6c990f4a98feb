#pragma once

#include "platform/Form.h"

#include <QDialog>
#include <QPointer>

namespace velmora {

class Browser;

/// The borderless player window: shows the player page of the video named
/// by g_SelectedVideoName, of the kind it was opened with, in a browser it
/// creates when first shown and releases when it is unloaded.  "Back to
/// videos" closes it and tells the main window to keep its lists.
class frmPlayVideos : public QDialog {
    Q_OBJECT
public:
    /// `kind` is the text of the video kind selector when the window opens;
    /// `server` the content server ("host[:port]").
    frmPlayVideos(QString kind, QString server, QWidget* parent = nullptr);
    ~frmPlayVideos() override;

    const Form& form() const { return m_form; }
    /// The browser, or null before the window is shown, when it could not
    /// be created, and after the window is unloaded.
    Browser* playerBrowser() const;

public slots:
    void ButtonEx9_Click();

protected:
    void showEvent(QShowEvent* event) override;
    /// Tab and Shift+Tab go in reading order.
    bool focusNextPrevChild(bool next) override;
    void done(int result) override;
    /// Escape leaves the player the way "Back to videos" does.
    void reject() override;

private:
    void Form_Resize();
    void Form_Unload();

    Form m_form;
    QString m_kind;
    QString m_server;
    Browser* m_PlayerBrowser = nullptr;
    // Tracks the browser's widget, which its parent may delete first.
    QPointer<QWidget> m_browserWidget;
    bool m_setUp = false;
};

} // namespace velmora
