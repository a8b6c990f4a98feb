#pragma once

#include <QList>

class QWidget;

namespace velmora {

/// Tab and Shift+Tab of the program's windows, in reading order: the
/// controls that take the focus by Tab and can take it now (shown, enabled,
/// not covered by another control), row by row from the top, each row
/// from left to right.  Two controls stand in one row when their heights
/// overlap by at least half of the lower one; a row starts at its topmost
/// control.
class ReadingOrder {
public:
    /// The tab stops of `window` in reading order.
    static QList<QWidget*> chain(QWidget* window);
    /// Moves the focus of `window` to the next (previous) tab stop after the
    /// focused one, round the end; from outside the chain to its first
    /// (last) one.  False when the window has no tab stop.
    static bool moveFocus(QWidget* window, bool next);
};

} // namespace velmora
