#include "GuideSectionWindow.h"

#include "platform/Twips.h"

#include <QComboBox>
#include <QTest>

namespace velmora::test {

namespace {

// The main window's size in pixels and the frames' places on it in twips.
const QSize kMainSize(1024, 738);
const QRect kDoorsTwips(1852, 772, 13395, 10185);
const QRect kGuideTwips(1852, 772, 13300, 10230);

QWidget* frameIn(QWidget* window, const QRect& twips) {
    auto* frame = new QWidget(window);
    frame->setGeometry(twipsToPixels(twips));
    return frame;
}

} // namespace

GuideSectionWindow::GuideSectionWindow(const QString& contentServer) {
    m_window.resize(kMainSize);
    m_section = std::make_unique<GuideSection>(frameIn(&m_window, kDoorsTwips),
                                               frameIn(&m_window, kGuideTwips));
    m_section->readerForm().root()->hide();
    m_section->reader().setContentServer(contentServer);
    m_window.show();
    if (!QTest::qWaitForWindowExposed(&m_window))
        qWarning("the guides section's window did not come up");
}

QWidget* GuideSectionWindow::control(const QString& name) const {
    if (QWidget* found = m_section->doorsForm().control(name))
        return found;
    return m_section->readerForm().control(name);
}

void GuideSectionWindow::chooseGuide(const QString& guide) const {
    QComboBox* selector = m_section->docCategories();
    selector->setCurrentIndex(selector->findText(guide));
    m_section->reader().cmbDocCategories_Click();
}

void GuideSectionWindow::pressAccessKey(const QString& button) const {
    QMetaObject::invokeMethod(control(button), "AccessKeyPress");
}

} // namespace velmora::test
