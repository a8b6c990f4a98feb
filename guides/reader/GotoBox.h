#pragma once

#include "GuideType.h"

#include <QObject>

class QLineEdit;

namespace velmora {

class DefaultButton;

/// The go-to box txtGotoPage of the reading screen: it selects its whole
/// text whenever it gets the focus, Enter in it presses the screen's
/// default button and leaves the box ready for the next number, and it
/// says what is wrong with a number that "&Go!" refuses.  Without a box
/// every call does nothing and the text reads empty.
class GotoBox : public QObject {
    Q_OBJECT
public:
    GotoBox(QLineEdit* box, DefaultButton& defaultButton, QObject* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    /// Selects the whole text, for the next number.
    void selectAll();

    /// The text is no number: the guide's own message, then the focus on
    /// the box with its text selected.
    void refuseText(GuideType type);
    /// The number lies outside `first` .. `last`: the message naming the
    /// range, then the focus on the box.
    void refuseRange(int first, int last);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void txtGotoPage_Enter();
    void focus();
    QWidget* window() const;

    QLineEdit* m_txtGotoPage = nullptr;
    DefaultButton& m_defaultButton;
};

} // namespace velmora
