#include "ControlPalette.h"

#include <QWidget>

namespace velmora::ControlPalette {

namespace {

void setRoles(QWidget* widget, OleColor colour, QPalette::ColorRole first,
              QPalette::ColorRole second) {
    QPalette palette = widget->palette();
    palette.setColor(first, toQColor(colour));
    palette.setColor(second, toQColor(colour));
    widget->setPalette(palette);
}

} // namespace

void setBackColor(QWidget* widget, OleColor colour) {
    if (!widget)
        return;
    setRoles(widget, colour, QPalette::Window, QPalette::Base);
    widget->setAutoFillBackground(true);
}

void setForeColor(QWidget* widget, OleColor colour) {
    if (widget)
        setRoles(widget, colour, QPalette::WindowText, QPalette::Text);
}

} // namespace velmora::ControlPalette
