#pragma once

#include <QObject>

class QLineEdit;

namespace velmora {

/// Selects the whole text of a box whenever it gets the focus, however it
/// comes: by Tab, by the program, or by a click into the box, whose press
/// would otherwise put the caret where the pointer is.  Once the box holds
/// the focus, clicks place the caret as usual.  Lives as a child of the box.
class SelectAllOnFocus : public QObject {
    Q_OBJECT
public:
    explicit SelectAllOnFocus(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_box = nullptr;
    // The focus came with a mouse press that the box has not seen yet.
    bool m_clickGaveFocus = false;
    // That press is held: the box sees none of its moves either, which
    // would drag a selection from the caret.
    bool m_holdingClick = false;
};

} // namespace velmora
