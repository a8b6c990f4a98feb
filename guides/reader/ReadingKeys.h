#pragma once

#include <QObject>

#include <functional>

class QScrollBar;
class QWidget;

namespace velmora {

/// What a key does on the reading screen.
enum class ReadingAction {
    None,
    LineUp,
    LineDown,
    LineLeft,
    LineRight,
    ScreenUp,
    ScreenDown,
    PreviousPage,
    NextPage,
    FirstPage,
    LastPage,
};

/// Where the page stands in its viewer, by the vertical bar.
struct VerticalPosition {
    bool atTop = true;
    bool atBottom = true;
};

/// The reading keys as every page reader has them: Page Down / Page Up
/// scroll a screen, and at the bottom (top) of a page turn to the next
/// (previous) one; arrow keys scroll a line; Ctrl+Home / Ctrl+End go to the
/// first and last page.  Any other key does nothing here.
ReadingAction readingAction(int key, Qt::KeyboardModifiers modifiers, VerticalPosition position);

/// Gives the reading screen its keys: each turns a page through the paging
/// buttons' own handlers (only while that button is enabled, as a click
/// would) or moves the shown viewer's bars by their small and large steps.
/// A text box keeps the keys it uses itself.
class ReadingKeys : public QObject {
    Q_OBJECT
public:
    struct Buttons {
        QWidget* first = nullptr;
        QWidget* previous = nullptr;
        QWidget* next = nullptr;
        QWidget* last = nullptr;
    };
    /// `bars` answers the shown guide's vertical and horizontal bars (either
    /// may be null).
    ReadingKeys(QWidget* screen, Buttons buttons,
                std::function<std::pair<QScrollBar*, QScrollBar*>()> bars,
                QObject* parent = nullptr);

    /// Carries out what `key` means here.
    void press(int key, Qt::KeyboardModifiers modifiers);

private:
    Buttons m_buttons;
    std::function<std::pair<QScrollBar*, QScrollBar*>()> m_bars;
};

} // namespace velmora
