#include "GotoBox.h"

#include "DefaultButton.h"
#include "SelectAllOnFocus.h"

#include "platform/MessageBoxService.h"
#include "platform/Yield.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace velmora {

GotoBox::GotoBox(QLineEdit* box, DefaultButton& defaultButton, QObject* parent)
    : QObject(parent), m_txtGotoPage(box), m_defaultButton(defaultButton) {
    if (m_txtGotoPage) {
        new SelectAllOnFocus(m_txtGotoPage);
        m_txtGotoPage->installEventFilter(this);
    }
}

QString GotoBox::text() const {
    return m_txtGotoPage ? m_txtGotoPage->text() : QString();
}

void GotoBox::setText(const QString& text) {
    if (m_txtGotoPage)
        m_txtGotoPage->setText(text);
}

void GotoBox::selectAll() {
    if (m_txtGotoPage)
        m_txtGotoPage->selectAll();
}

void GotoBox::focus() {
    if (m_txtGotoPage)
        m_txtGotoPage->setFocus(Qt::OtherFocusReason);
}

QWidget* GotoBox::window() const {
    return m_txtGotoPage ? m_txtGotoPage->window() : nullptr;
}

void GotoBox::refuseText(GuideType type) {
    if (type == GuideType::Coder)
        showMessage(QStringLiteral("Invalid page number. Please enter a numeric value."),
                    QStringLiteral("Invalid input..."), QMessageBox::Warning, QMessageBox::Ok,
                    window());
    else
        showMessage(QStringLiteral("Please enter numeric value."), QStringLiteral("Invalid Input"),
                    QMessageBox::Warning, QMessageBox::Ok, window());
    focus();
    selectAll();
}

void GotoBox::refuseRange(int first, int last) {
    showMessage(QStringLiteral("Available pages are from %1 to %2. Please enter value "
                               "within this range.")
                    .arg(first)
                    .arg(last),
                QStringLiteral("Invalid Input"), QMessageBox::Warning, QMessageBox::Ok, window());
    focus();
}

void GotoBox::txtGotoPage_Enter() {
    // "&Go!" is pressed as the default button; then the box is ready for
    // the next number.
    m_defaultButton.press();
    const QPointer<GotoBox> alive(this);
    yieldEvents(3);
    if (!alive)
        return;
    focus();
    selectAll();
}

bool GotoBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_txtGotoPage)
        return false;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            txtGotoPage_Enter();
            return true;
        }
    }
    return false;
}

} // namespace velmora
