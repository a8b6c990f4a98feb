#pragma once

#include "guides/reader/GuideReader.h"
#include "platform/Form.h"

#include <QWidget>

#include <memory>

class QLabel;

namespace velmora::test {

/// The guide selection and reading screens as the main window holds them,
/// loaded from the program's window descriptions, with a GuideReader on
/// them that fetches from `contentServer`.  The window is shown.
class ReaderScreens {
public:
    explicit ReaderScreens(const QString& contentServer);
    ~ReaderScreens();

    GuideReader& reader() { return *m_reader; }
    QWidget& window() { return m_window; }
    QWidget* fraDoors() const { return m_doors.root(); }
    QWidget* fraGuide() const { return m_guide.root(); }
    /// A control of either screen by name.
    QWidget* control(const QString& name) const;
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
    QWidget m_window;
    Form m_doors;
    Form m_guide;
    std::unique_ptr<GuideReader> m_reader;
};

} // namespace velmora::test
