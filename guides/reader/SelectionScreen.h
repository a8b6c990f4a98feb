#pragma once

#include "GuideType.h"

#include "platform/Form.h"

#include <QObject>

class QComboBox;

namespace velmora {

/// The guide selection screen (frame fraDoors): the guide type selector
/// with its heading and description panel, and the "here" link (Label9),
/// the main window's own label beside the frames.  Controls missing from
/// the screen are skipped.
class SelectionScreen : public QObject {
    Q_OBJECT
public:
    explicit SelectionScreen(const Form& doors, QObject* parent = nullptr);

    /// The guide type list; its text is the guide type the reader reads.
    QComboBox* selector() const { return m_cmbDocCategories; }
    /// The selector's text: "Coder", "Buyer" or empty (nothing chosen).
    QString selectedText() const;
    GuideType selectedGuide() const { return guideTypeFromText(selectedText()); }
    /// "&Load".
    QWidget* loadButton() const { return control("ButtonEx12"); }

    /// The selector's click: the heading names the chosen guide, and the
    /// description panel shows that guide's text.
    void cmbDocCategories_Click();
    /// Load with nothing chosen: asks for a guide type and puts the focus
    /// on the selector.
    void askForGuide();
    /// Puts `screen` over the selection screen, in its place, and shows it.
    void coverWith(QWidget* screen);
    /// Brings the selection screen back over whatever covers it.
    void bringToFront();

private:
    QWidget* control(const char* name) const;

    Form m_doors;
    QComboBox* m_cmbDocCategories = nullptr;
    // The "here" link, a control of the main window beside the frames.
    QWidget* m_Label9 = nullptr;
};

} // namespace velmora
