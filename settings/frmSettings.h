#pragma once

#include "platform/Form.h"

#include <Button/OleColor.h>

#include <QDialog>

namespace velmora {

class ColourChooser;

/// The modal settings dialog: the start section and the two colours of the
/// welcome screen.  The colour squares hold the working values; "&Update"
/// stores all three choices, announces the colours through coloursApplied()
/// and closes; "Ca&ncel" (and the window's own close) closes without saving.
class frmSettings : public QDialog {
    Q_OBJECT
public:
    /// Builds the dialog and runs its load step (the stored start section).
    /// `chooser` (not owned) answers the colour squares; null uses QColorDialog.
    explicit frmSettings(QWidget* parent = nullptr, ColourChooser* chooser = nullptr);

    const Form& form() const { return m_form; }
    /// The colours the squares show now.
    OleColor backColor() const { return m_BackColor; }
    OleColor fontColor() const { return m_FontColor; }

public slots:
    // Event handlers, public so that tests can drive them.
    void Form_Load();
    void Form_Activate();
    void Picture1_DblClick();
    void Picture2_Click();
    void Command1_Click();
    void ButtonEx1_Click();
    void ButtonEx11_Click();

signals:
    /// "&Update" asks the welcome screen to take these colours at once.
    void coloursApplied(velmora::OleColor backColor, velmora::OleColor fontColor);

protected:
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void setBackColor(OleColor colour);
    void setFontColor(OleColor colour);
    void connectControls();

    Form m_form;
    ColourChooser* m_chooser = nullptr;
    OleColor m_BackColor = 0;
    OleColor m_FontColor = 0;
    bool m_Activated = false;
};

} // namespace velmora
