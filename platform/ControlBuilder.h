#pragma once

#include "FormDescription.h"

#include <QRect>

class QFont;
class QWidget;

namespace velmora {

class PropertyBag;

/// Where a built control goes: its rectangle in the window's design (twips,
/// as the form reports it) and the pixels its widget takes.
struct ControlPlacement {
    QRect design;
    QRect pixels;
};

/// Makes the widget of one described control, chosen by its type from the
/// table of types a window description may name, with the control's keys
/// applied.  Timers are not widgets and are not made here.
class ControlBuilder {
public:
    /// The widget for `control`, named, as a child of `parent`; null for a type
    /// not in the table or a control that cannot be created.  `place` comes
    /// in as the described geometry and leaves as where the widget goes: a
    /// line takes the box around its ends, a button without a size of its
    /// own its stored extent.
    static QWidget* build(const ControlDescription& control, QWidget* parent,
                          ControlPlacement& place);

    /// `base` with the description's name, size and styles.
    static QFont fontFrom(const FontDescription& description, const QFont& base);
    /// A ButtonEx property bag: values as they are, a font as QFont made
    /// from `baseFont`, a picture as QImage.
    static PropertyBag bagFrom(const QList<BagEntry>& entries, const QFont& baseFont);
};

} // namespace velmora
