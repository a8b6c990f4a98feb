#pragma once

#include <functional>

class QObject;
class QWidget;

namespace velmora {

/// Runs `handler` on every Click of a control created by class name, whose
/// events are known only by name.  The connection ends with `context`.
/// False when `button` is null or has no Click event.
bool connectClick(QWidget* button, QObject* context, std::function<void()> handler);

/// Sets a control's Enabled property where it has one (a ButtonEx), else
/// the widget's own enabled state.  A null control is ignored.
void setControlEnabled(QWidget* control, bool enabled);

} // namespace velmora
