#include "MessageBoxService.h"

#include <QApplication>

namespace velmora {

namespace {

class QtMessageBoxService final : public MessageBoxService {
public:
    QMessageBox::StandardButton show(const MessageBoxRequest& request) override {
        QWidget* parent = request.parent ? request.parent : QApplication::activeWindow();
        QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
        // The user can select and copy what a box says (an error number for
        // a report, say).
        box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        if (request.staysOnTop)
            box.setWindowFlag(Qt::WindowStaysOnTopHint);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }
};

MessageBoxService* g_installed = nullptr;

} // namespace

MessageBoxService& MessageBoxService::instance() {
    static QtMessageBoxService qtService;
    return g_installed ? *g_installed : qtService;
}

void MessageBoxService::install(MessageBoxService* service) {
    g_installed = service;
}

QMessageBox::StandardButton showMessage(const QString& text, const QString& title,
                                        QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons, QWidget* parent) {
    return MessageBoxService::instance().show({text, title, icon, buttons, parent});
}

} // namespace velmora
