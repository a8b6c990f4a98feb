#pragma once

#include "GuideSectionWindow.h"

namespace velmora::test {

/// The guides section's two screens on the main window's stand-in (see
/// GuideSectionWindow), driven and read as a user does.
class ReaderScreens {
public:
    explicit ReaderScreens(const QString& contentServer) : m_host(contentServer) {}

    GuideReader& reader() { return m_host.section().reader(); }
    QWidget& window() { return m_host.window(); }
    QWidget* fraDoors() const { return m_host.section().doorsForm().root(); }
    QWidget* fraGuide() const { return m_host.section().readerForm().root(); }
    /// A control of either screen by name.
    QWidget* control(const QString& name) const { return m_host.control(name); }
    template <class T> T* control(const QString& name) const {
        return qobject_cast<T*>(control(name));
    }

    /// Picks `text` in the guide selector with the keyboard, as a user does.
    void selectGuide(const QString& text);
    /// Clicks a button with the mouse; false when it is missing or disabled.
    bool click(const QString& button);
    /// Types `text` into the go-to box and presses Enter there.
    void goTo(const QString& text);
    /// Selects `text` in the selector and presses "&Load".
    void load(const QString& text);

    /// Whether a button is enabled (its Enabled property).
    bool enabled(const QString& button) const;
    QString pageLabel() const;
    /// The reading screen lies over the selection screen.
    bool readingScreenInFront() const;
    /// The picture on the selected guide's page surface.
    Picture shownPicture() const;
    /// Whether the fetch display (bar, label, frame) is shown.
    bool fetchDisplayShown() const;
    /// The progress bar's value.
    int progress() const;

private:
    GuideSectionWindow m_host;
};

} // namespace velmora::test
