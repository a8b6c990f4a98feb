#include "Twips.h"

#include <QWidget>

namespace velmora {

void moveInTwips(QWidget* widget, int left, int top) {
    if (widget)
        widget->move(twipsToPixels(left), twipsToPixels(top));
}

void placeInTwips(QWidget* widget, int left, int top, int height) {
    if (widget)
        widget->setGeometry(twipsToPixels(left), twipsToPixels(top), widget->width(),
                            twipsToPixels(height));
}

} // namespace velmora
