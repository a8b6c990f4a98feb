#include "DownloadMessages.h"

namespace velmora {

QString socketErrorMessage(int number, const QString& description) {
    return QStringLiteral("ERROR DN1001: Error occured in communication with server.\r\n\r\n"
                          "Error Number: %1\r\nDescription: %2")
        .arg(number)
        .arg(description);
}

QString badStatusMessage() {
    return QStringLiteral("ERROR DN1002: Error occured during communication with server.");
}

QString emptyBodyMessage() {
    return QStringLiteral("ERROR DN1003: Error occured during communication with server.");
}

QString invalidGroupIndexMessage() {
    return QStringLiteral("ERROR DN1004: Error occured during communication with server. "
                          "Invalid Group Index file.");
}

QString invalidPageDataMessage() {
    return QStringLiteral("ERROR DN1005: Error occured during communication with server. "
                          "Invalid data.");
}

} // namespace velmora
