#include "MessageBoxRecorder.h"

namespace velmora {

MessageBoxRecorder::MessageBoxRecorder() {
    MessageBoxService::install(this);
}

MessageBoxRecorder::~MessageBoxRecorder() {
    MessageBoxService::install(nullptr);
}

QMessageBox::StandardButton MessageBoxRecorder::show(const MessageBoxRequest& request) {
    m_boxes << request;
    return m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
}

} // namespace velmora
