#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace velmora {

/// One modal message box as the program asks for it.
struct MessageBoxRequest {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QWidget* parent = nullptr;
    /// Kept above every other window of the program while it is up.
    bool staysOnTop = false;
};

/// Shows the program's message boxes.  The program uses the QMessageBox
/// backend; tests install their own to observe and answer each box.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    /// Shows the box modally and returns the button the user chose.
    virtual QMessageBox::StandardButton show(const MessageBoxRequest& request) = 0;

    /// The service in use (the QMessageBox backend unless one is installed).
    static MessageBoxService& instance();
    /// Installs `service` (not owned); null puts the QMessageBox backend back.
    static void install(MessageBoxService* service);
};

/// Shows a box through the installed service.
QMessageBox::StandardButton showMessage(const QString& text, const QString& title,
                                        QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QWidget* parent = nullptr);

} // namespace velmora
