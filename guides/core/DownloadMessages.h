#pragma once

#include <QString>

namespace velmora {

// The download client's messages.  All are shown with the title "Error",
// the critical-error icon and an OK button.

/// DN1001, a socket error, with its number and description.
QString socketErrorMessage(int number, const QString& description);
/// DN1002, a status other than "200".
QString badStatusMessage();
/// DN1003, an empty body.
QString emptyBodyMessage();
/// DN1004, no usable group index.
QString invalidGroupIndexMessage();
/// DN1005, no usable page data.
QString invalidPageDataMessage();

} // namespace velmora
