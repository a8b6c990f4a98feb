#pragma once

#include "platform/MessageBoxService.h"

#include <QList>

namespace velmora {

/// Captures every message box the code under test shows and answers it
/// with the next queued answer (Ok when none is queued).  Installs itself
/// for its lifetime.
class MessageBoxRecorder : public MessageBoxService {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder() override;

    QMessageBox::StandardButton show(const MessageBoxRequest& request) override;

    void queueAnswer(QMessageBox::StandardButton answer) { m_answers << answer; }
    const QList<MessageBoxRequest>& boxes() const { return m_boxes; }
    int count() const { return int(m_boxes.size()); }
    /// The last box shown; an empty request when none was.
    MessageBoxRequest last() const {
        return m_boxes.isEmpty() ? MessageBoxRequest{} : m_boxes.last();
    }
    void clear() { m_boxes.clear(); }

private:
    QList<MessageBoxRequest> m_boxes;
    QList<QMessageBox::StandardButton> m_answers;
};

} // namespace velmora
