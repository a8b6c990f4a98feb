#pragma once

class QKeyEvent;
class QPainter;
class QRect;

namespace velmora {

/// The focus indicator of the program's own keyboard controls: a dotted
/// frame just inside `area`, black dots between white ones, so that it
/// shows on the dark skin and on the light panels alike.
void drawFocusIndicator(QPainter& painter, const QRect& area);

/// Return, Enter or Space without a modifier: the keys that activate a
/// focused control as its click does.
bool isActivationKey(const QKeyEvent& event);

} // namespace velmora
