#include "ButtonExFactory.h"

#include "ButtonEx.h"
#include "core/ServerCounts.h"

namespace velmora {

ButtonExFactory& ButtonExFactory::instance() {
    static ButtonExFactory factory;
    return factory;
}

QWidget* ButtonExFactory::createInstance(QWidget* parent) {
    return new ButtonEx(parent);
}

void ButtonExFactory::lockServer(bool lock) {
    ServerCounts::lock(lock);
}

} // namespace velmora
