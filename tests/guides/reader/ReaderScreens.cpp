#include "ReaderScreens.h"

#include "platform/ControlEvents.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>

namespace velmora::test {

void ReaderScreens::selectGuide(const QString& text) {
    auto* selector = control<QComboBox>(QStringLiteral("cmbDocCategories"));
    const int wanted = selector->findText(text);
    // Keys go where the focus is, as for a user who clicked the selector.
    selector->setFocus(Qt::MouseFocusReason);
    while (selector->currentIndex() != wanted) {
        const int before = selector->currentIndex();
        QTest::keyClick(selector, wanted > before ? Qt::Key_Down : Qt::Key_Up);
        if (selector->currentIndex() == before)
            return;
    }
}

bool ReaderScreens::click(const QString& button) {
    QWidget* widget = control(button);
    if (!widget || !widget->isEnabled() || !widget->isVisible())
        return false;
    QTest::mouseClick(widget, Qt::LeftButton);
    return true;
}

void ReaderScreens::goTo(const QString& text) {
    auto* box = control<QLineEdit>(QStringLiteral("txtGotoPage"));
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
}

void ReaderScreens::load(const QString& text) {
    selectGuide(text);
    click(QStringLiteral("ButtonEx12"));
}

bool ReaderScreens::enabled(const QString& button) const {
    return buttonEnabled(control(button));
}

QString ReaderScreens::pageLabel() const {
    return control<QLabel>(QStringLiteral("lblPageNumber"))->text();
}

bool ReaderScreens::readingScreenInFront() const {
    // The frame listed last among the window's children is drawn on top.
    const QObjectList children = m_host.window().children();
    return fraGuide()->isVisible() && children.indexOf(fraGuide()) > children.indexOf(fraDoors());
}

Picture ReaderScreens::shownPicture() const {
    const GuideReader& reader = m_host.section().reader();
    const PageViewer* viewer = reader.viewer(reader.selectedGuide());
    return viewer ? viewer->surface().picture() : Picture();
}

bool ReaderScreens::fetchDisplayShown() const {
    return control(QStringLiteral("prgFetching"))->isVisible() &&
           control(QStringLiteral("lblFetchProgress"))->isVisible() &&
           control(QStringLiteral("Shape5"))->isVisible();
}

int ReaderScreens::progress() const {
    return control<QProgressBar>(QStringLiteral("prgFetching"))->value();
}

} // namespace velmora::test
