#pragma once

#include "platform/Form.h"

#include <QWidget>

namespace velmora {

/// The splash window shown at start: a framed, captionless window with the
/// product name.  It unloads itself 2500 ms after it is created, at the
/// first key press, or at a click on either text, whichever comes first;
/// it unloads only once, and its timer never fires afterwards.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    const Form& form() const { return m_form; }
    bool isUnloaded() const { return m_Unloaded; }

public slots:
    void tmrUnload_Timer();
    void Label2_Click();
    void Label3_Click();

signals:
    /// The splash is unloading: the receiver creates and shows the main
    /// window now, before the splash disappears.
    void unloading();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void unload();

    QWidget* m_client = nullptr;
    Form m_form;
    bool m_Unloaded = false;
};

} // namespace velmora
