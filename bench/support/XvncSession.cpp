#include "XvncSession.h"

#include <QProcess>

namespace velmora::bench {

namespace {

bool session(const QString& action, const QString& display, const QString& state) {
    return QProcess::execute(QStringLiteral(VELMORA_SOURCE_DIR "/scripts/x-session.sh"),
                             {action, QStringLiteral("xvnc"), display, state}) == 0;
}

} // namespace

QString XvncSession::defaultDisplay() {
    return QStringLiteral(VELMORA_BENCH_DISPLAY);
}

XvncSession::XvncSession(QString display) : m_display(std::move(display)) {
    m_running = m_state.isValid() && session(QStringLiteral("start"), m_display, m_state.path());
}

XvncSession::~XvncSession() {
    if (m_running)
        session(QStringLiteral("stop"), m_display, m_state.path());
}

} // namespace velmora::bench
