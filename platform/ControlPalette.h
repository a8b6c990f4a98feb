#pragma once

#include <Button/OleColor.h>

class QWidget;

namespace velmora {

/// A control's "backColor" and "foreColor" as the window descriptions give
/// them, for the loader and for windows that change them later.  A null
/// widget (a control the window left out) is skipped.
namespace ControlPalette {

/// Fills the control's background (and an edit's base) with `colour`.
void setBackColor(QWidget* widget, OleColor colour);
/// Sets the control's text colour.
void setForeColor(QWidget* widget, OleColor colour);

} // namespace ControlPalette

} // namespace velmora
