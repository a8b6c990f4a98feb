#pragma once

#include "DownloadSession.h"

#include <QHash>
#include <QStringList>

namespace velmora {

/// Keeps one failing guide from burying the user under its error boxes.
/// Within one fetch, once `kShownInARow` pages in a row have raised the same
/// page error (a bad status, an empty body, unusable data), that error's box
/// is held back until a page arrives with a picture without raising it.
/// Pages between that deliver no picture do not break the row, so a server
/// cannot get around the bound by mixing its failures.  The pages themselves
/// are delivered as ever; only boxes are held back, and the boxes shown keep
/// their order.  Boxes about the group index and communication errors (each
/// of which ends or stops the fetch) are always shown.  One filter serves
/// one fetch.
class RepeatedErrorFilter {
public:
    static constexpr int kShownInARow = 3;

    /// The boxes of `outcome` to show, in order; counts the outcome's page.
    QStringList boxesToShow(const ResponseOutcome& outcome);

private:
    // Pages in the current row of each page error, by message text.
    QHash<QString, int> m_rows;
};

} // namespace velmora
