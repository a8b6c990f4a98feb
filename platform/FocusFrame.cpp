#include "FocusFrame.h"

#include "FocusIndicator.h"

#include <QFocusEvent>
#include <QPainter>

namespace velmora {

void FocusFrame::attach(QWidget* control) {
    if (control)
        new FocusFrame(control);
}

FocusFrame::FocusFrame(QWidget* control) : QWidget(control) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    control->installEventFilter(this);
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event) {
    auto* control = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            setGeometry(control->rect());
            raise();
            show();
        }
    } else if (event->type() == QEvent::FocusOut) {
        hide();
    } else if (event->type() == QEvent::Resize) {
        setGeometry(control->rect());
    }
    return false;
}

void FocusFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFocusIndicator(painter, rect());
}

} // namespace velmora
