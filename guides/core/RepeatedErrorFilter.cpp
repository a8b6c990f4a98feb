#include "RepeatedErrorFilter.h"

#include "DownloadMessages.h"

namespace velmora {

namespace {

bool isPageError(const QString& message) {
    return message == badStatusMessage() || message == emptyBodyMessage() ||
           message == invalidPageDataMessage();
}

} // namespace

QStringList RepeatedErrorFilter::boxesToShow(const ResponseOutcome& outcome) {
    if (!outcome.pageNumber)
        return outcome.messages;
    QStringList shown;
    for (const QString& message : outcome.messages) {
        if (!isPageError(message) || ++m_rows[message] <= kShownInARow)
            shown << message;
    }
    // A page that arrived as a picture ends the rows of the errors it did
    // not raise itself.
    if (!outcome.picture.isEmpty()) {
        for (auto row = m_rows.begin(); row != m_rows.end(); ++row) {
            if (!outcome.messages.contains(row.key()))
                row.value() = 0;
        }
    }
    return shown;
}

} // namespace velmora
