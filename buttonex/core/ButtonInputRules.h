#pragma once

#include "FaceProperties.h"

#include <QPointF>
#include <QSizeF>
#include <optional>

namespace velmora {

/// What the hover timer should do after an input.
enum class TimerAction { Keep, Start, Stop };

/// The outcome of one input: the state to repaint (if any) and the timer.
struct InputStep {
    std::optional<VisualState> redraw;
    TimerAction timer = TimerAction::Keep;
};

/// The decisions a ButtonEx takes on mouse input and hover-timer ticks,
/// free of widgets.  Button values are bit sets: 1 left, 2 right, 4 middle;
/// only "no button" (0) and "left alone" (1) change the look.
class ButtonInputRules {
public:
    static constexpr short kNoButton = 0;
    static constexpr short kLeftButton = 1;

    /// The hover poll ticks every millisecond while the pointer moves; once
    /// it has rested a while the poll slows to the period the design's
    /// 1 ms timer really had on its desktop (about 16 ms), so that a
    /// pointer parked on a button costs next to nothing.
    static constexpr int kMovingPollMs = 1;
    static constexpr int kRestingPollMs = 16;
    static constexpr int kRestAfterMs = 50;
    /// The poll period after the pointer last moved `sinceMoveMs` ago.
    static int pollInterval(qint64 sinceMoveMs) {
        return sinceMoveMs < kRestAfterMs ? kMovingPollMs : kRestingPollMs;
    }

    static InputStep mouseDown(short button);
    /// `running` is false in a design view; `timerOn` is the hover timer's state.
    static InputStep mouseMove(short button, bool running, bool timerOn, int state);
    static InputStep mouseUp(short button);
    static InputStep timerTick(bool pointerOutside, int state);

    /// True when `pointer` (face coordinates) lies outside the face of size
    /// `face`; the column x = width and the row y = height still count as
    /// inside, as the hover test has always treated them.
    static bool pointerOutside(QPointF pointer, QSizeF face);
};

} // namespace velmora
