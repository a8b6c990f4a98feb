#include "Yield.h"

#include <QCoreApplication>

namespace velmora {

void yieldEvents(int times) {
    for (int i = 0; i < times; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace velmora
