#include "SelectionScreen.h"

#include "platform/ControlEvents.h"
#include "platform/MessageBoxService.h"

#include <QComboBox>
#include <QLabel>

namespace velmora {

namespace {

// A control of the main window itself, beside the frame `frame`.
QWidget* mainWindowControl(QWidget* frame, const QString& name) {
    QWidget* window = frame ? frame->parentWidget() : nullptr;
    return window ? window->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly) : nullptr;
}

} // namespace

SelectionScreen::SelectionScreen(const Form& doors, QObject* parent)
    : QObject(parent), m_doors(doors),
      m_cmbDocCategories(doors.control<QComboBox>(QStringLiteral("cmbDocCategories"))),
      m_Label9(mainWindowControl(doors.root(), QStringLiteral("Label9"))) {
    if (m_cmbDocCategories)
        connect(m_cmbDocCategories, &QComboBox::activated, this,
                &SelectionScreen::cmbDocCategories_Click);
}

QWidget* SelectionScreen::control(const char* name) const {
    return m_doors.control(QLatin1String(name));
}

QString SelectionScreen::selectedText() const {
    return m_cmbDocCategories ? m_cmbDocCategories->currentText() : QString();
}

void SelectionScreen::cmbDocCategories_Click() {
    const QString text = selectedText();
    if (auto* heading = m_doors.control<QLabel>(QStringLiteral("Label21")))
        heading->setText(QStringLiteral("Currently selected: ") + text +
                         QStringLiteral("'s Guide"));
    // The description panel: its title and frame, then each guide's text.
    setShown(control("Label17"), true);
    setShown(control("Shape3"), true);
    const GuideType type = guideTypeFromText(text);
    if (type == GuideType::None)
        return;
    setShown(control("Label18"), type == GuideType::Coder);
    setShown(control("Label15"), type == GuideType::Buyer);
    setShown(m_Label9, type == GuideType::Buyer);
}

void SelectionScreen::askForGuide() {
    QWidget* fraDoors = m_doors.root();
    showMessage(QStringLiteral("Please select a guide type from the list."),
                QStringLiteral("Guide type..."), QMessageBox::Information, QMessageBox::Ok,
                fraDoors ? fraDoors->window() : nullptr);
    if (m_cmbDocCategories)
        m_cmbDocCategories->setFocus(Qt::OtherFocusReason);
}

void SelectionScreen::coverWith(QWidget* screen) {
    QWidget* fraDoors = m_doors.root();
    if (fraDoors)
        fraDoors->lower();
    if (screen) {
        if (fraDoors)
            screen->setGeometry(fraDoors->geometry());
        screen->show();
    }
}

void SelectionScreen::bringToFront() {
    if (QWidget* fraDoors = m_doors.root())
        fraDoors->raise();
}

} // namespace velmora
