#include "ReadingKeys.h"

#include "platform/ControlEvents.h"

#include <QScrollBar>
#include <QShortcut>
#include <QWidget>

namespace velmora {

ReadingAction readingAction(int key, Qt::KeyboardModifiers modifiers, VerticalPosition position) {
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    if (held == Qt::ControlModifier) {
        if (key == Qt::Key_Home)
            return ReadingAction::FirstPage;
        if (key == Qt::Key_End)
            return ReadingAction::LastPage;
        return ReadingAction::None;
    }
    if (held != Qt::NoModifier)
        return ReadingAction::None;
    switch (key) {
    case Qt::Key_PageDown:
        return position.atBottom ? ReadingAction::NextPage : ReadingAction::ScreenDown;
    case Qt::Key_PageUp:
        return position.atTop ? ReadingAction::PreviousPage : ReadingAction::ScreenUp;
    case Qt::Key_Down:
        return ReadingAction::LineDown;
    case Qt::Key_Up:
        return ReadingAction::LineUp;
    case Qt::Key_Left:
        return ReadingAction::LineLeft;
    case Qt::Key_Right:
        return ReadingAction::LineRight;
    default:
        return ReadingAction::None;
    }
}

ReadingKeys::ReadingKeys(QWidget* screen, Buttons buttons,
                         std::function<std::pair<QScrollBar*, QScrollBar*>()> bars, QObject* parent)
    : QObject(parent), m_buttons(buttons), m_bars(std::move(bars)) {
    if (!screen)
        return;
    const QKeyCombination keys[] = {Qt::Key_PageDown,
                                    Qt::Key_PageUp,
                                    Qt::Key_Down,
                                    Qt::Key_Up,
                                    Qt::Key_Left,
                                    Qt::Key_Right,
                                    Qt::ControlModifier | Qt::Key_Home,
                                    Qt::ControlModifier | Qt::Key_End};
    for (const QKeyCombination combination : keys) {
        // A shortcut of the screen and its children: a text box that uses a
        // key itself (the go-to box's arrows) claims it first.
        auto* shortcut = new QShortcut(QKeySequence(combination), screen);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, combination] { press(combination.key(), combination.keyboardModifiers()); });
    }
}

void ReadingKeys::press(int key, Qt::KeyboardModifiers modifiers) {
    const auto [vertical, horizontal] = m_bars ? m_bars() : std::pair<QScrollBar*, QScrollBar*>();
    VerticalPosition position;
    if (vertical && vertical->isEnabled()) {
        position.atTop = vertical->value() <= vertical->minimum();
        position.atBottom = vertical->value() >= vertical->maximum();
    }
    const auto clickIfEnabled = [](QWidget* button) {
        if (buttonEnabled(button))
            QMetaObject::invokeMethod(button, "Click");
    };
    const auto step = [](QScrollBar* bar, QAbstractSlider::SliderAction action) {
        if (bar && bar->isEnabled())
            bar->triggerAction(action);
    };
    switch (readingAction(key, modifiers, position)) {
    case ReadingAction::NextPage:
        clickIfEnabled(m_buttons.next);
        break;
    case ReadingAction::PreviousPage:
        clickIfEnabled(m_buttons.previous);
        break;
    case ReadingAction::FirstPage:
        clickIfEnabled(m_buttons.first);
        break;
    case ReadingAction::LastPage:
        clickIfEnabled(m_buttons.last);
        break;
    case ReadingAction::ScreenDown:
        step(vertical, QAbstractSlider::SliderPageStepAdd);
        break;
    case ReadingAction::ScreenUp:
        step(vertical, QAbstractSlider::SliderPageStepSub);
        break;
    case ReadingAction::LineDown:
        step(vertical, QAbstractSlider::SliderSingleStepAdd);
        break;
    case ReadingAction::LineUp:
        step(vertical, QAbstractSlider::SliderSingleStepSub);
        break;
    case ReadingAction::LineRight:
        step(horizontal, QAbstractSlider::SliderSingleStepAdd);
        break;
    case ReadingAction::LineLeft:
        step(horizontal, QAbstractSlider::SliderSingleStepSub);
        break;
    case ReadingAction::None:
        break;
    }
}

} // namespace velmora
