#pragma once

#include "guides/GuideSection.h"

#include <QWidget>

#include <memory>

namespace velmora::test {

/// The guides section as the main window holds it: the selection and
/// reading screens in two frames at their places on a window of the main
/// window's size, the reading frame hidden, the section's reader fetching
/// from `contentServer`.  The window is shown.
class GuideSectionWindow {
public:
    explicit GuideSectionWindow(const QString& contentServer);
    GuideSectionWindow(const GuideSectionWindow&) = delete;
    GuideSectionWindow& operator=(const GuideSectionWindow&) = delete;

    QWidget& window() { return m_window; }
    const QWidget& window() const { return m_window; }
    GuideSection& section() const { return *m_section; }

    /// A control of either screen by name; null when neither has it.
    QWidget* control(const QString& name) const;
    /// Presses a button of either screen as its access key does.
    void pressAccessKey(const QString& button) const;
    /// Picks `guide` in the selector as a program's click on it does.
    void chooseGuide(const QString& guide) const;

private:
    QWidget m_window;
    // Goes before the window that holds its frames.
    std::unique_ptr<GuideSection> m_section;
};

} // namespace velmora::test
