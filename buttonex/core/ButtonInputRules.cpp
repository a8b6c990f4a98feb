#include "ButtonInputRules.h"

namespace velmora {

namespace {

InputStep repaintUnless(VisualState wanted, int state) {
    InputStep step;
    if (state != wanted)
        step.redraw = wanted;
    return step;
}

} // namespace

InputStep ButtonInputRules::mouseDown(short button) {
    InputStep step;
    if (button == kLeftButton)
        step.redraw = Pressed;
    return step;
}

InputStep ButtonInputRules::mouseMove(short button, bool running, bool timerOn, int state) {
    // The first move over a running control only arms the hover poll; the
    // look follows on the next move, so a pointer merely crossing the face
    // does not flash it.
    if (running && !timerOn)
        return {std::nullopt, TimerAction::Start};
    if (button == kNoButton)
        return repaintUnless(Hover, state);
    if (button == kLeftButton)
        return repaintUnless(Pressed, state);
    return {};
}

InputStep ButtonInputRules::mouseUp(short button) {
    InputStep step;
    if (button == kLeftButton)
        step.redraw = Normal;
    return step;
}

InputStep ButtonInputRules::timerTick(bool pointerOutside, int state) {
    if (!pointerOutside)
        return {};
    InputStep step = repaintUnless(Normal, state);
    step.timer = TimerAction::Stop;
    return step;
}

bool ButtonInputRules::pointerOutside(QPointF pointer, QSizeF face) {
    return pointer.x() < 0 || pointer.y() < 0 || pointer.x() > face.width() ||
           pointer.y() > face.height();
}

} // namespace velmora
