#include "DisplayServices.h"

#include <QGuiApplication>
#include <QScreen>

namespace velmora {

QSize NullDisplayServices::screenSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

bool NullDisplayServices::changeResolution(int, int) {
    return false;
}

} // namespace velmora
