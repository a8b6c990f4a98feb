#include "Program.h"

namespace velmora {

Program::Program(MainServices services, QObject* parent)
    : QObject(parent), m_services(std::move(services)) {}

Program::~Program() = default;

void Program::start() {
    m_splash = new frmSplash;
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_splash, &frmSplash::unloading, this, &Program::showMain);
    m_splash->show();
}

void Program::showMain() {
    if (m_main)
        return;
    m_main = std::make_unique<Main>(m_services);
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
}

} // namespace velmora
