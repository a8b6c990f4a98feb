#pragma once

#include <QString>

class QWidget;

namespace velmora {

class HostSite;
class PropertyBag;

/// Creates controls by class name ("Button.ButtonEx") from the control
/// library that serves the class, as a window does when it loads.
class ControlHost {
public:
    /// The library file that serves `progId`: the one recorded in the
    /// per-user control registry, else lib<first part>.so in the program's
    /// own folder.  Empty when neither exists.
    static QString libraryFor(const QString& progId);

    /// A new instance of `progId` as a child of `parent`, with a HostSite,
    /// loaded from `bag` (read-properties) or, when `bag` is null, given its
    /// defaults (initialize-properties).  Null when the class cannot be
    /// created; `error` then says why.
    static QWidget* create(const QString& progId, QWidget* parent, const PropertyBag* bag,
                           QString* error = nullptr);

    /// The site the host gave `control`, or null for a widget it did not create.
    static HostSite* siteOf(QWidget* control);

    /// The control's stored properties as its window saves them: the
    /// control's own keys plus "_extentx"/"_extenty" in 0.01 mm.
    static void save(QWidget* control, PropertyBag& bag);

    /// Twips <-> 0.01 mm, the unit of the stored extents.
    static int twipsToHimetric(int twips);
    static int himetricToTwips(int himetric);
};

} // namespace velmora
