#pragma once

#include <QList>
#include <QRect>

namespace velmora {

/// One button of a window that carries the access key just pressed, as the
/// window shows it.  Rectangles are in the window's coordinates.
struct AccessKeyButton {
    /// The button and every parent up to the window are shown.
    bool shown = true;
    bool enabled = true;
    bool hasFocus = false;
    QRect rect;
    /// The parents' rectangles, which clip the button.
    QList<QRect> clips;
    /// Shown widgets stacked in front of the button or of one of its parents.
    QList<QRect> inFront;
};

/// True when some part of the button is in the user's view: it is shown,
/// and neither its parents' edges nor the widgets in front of it hide all
/// of it.
bool inView(const AccessKeyButton& button);

/// What an access key does in a window.
struct AccessKeyChoice {
    enum Action { None, Click, Focus };
    Action action = None;
    /// Index of the button to click or to give the focus to.
    int button = -1;
};

/// The platform's rule for an access key, given the window's buttons that
/// carry it in the window's tab order: buttons out of view or disabled take
/// no key; one left takes a click; several left share the key, and each
/// press moves the focus to the next of them (after the one that holds it,
/// else the first) without clicking.
AccessKeyChoice chooseAccessKeyTarget(const QList<AccessKeyButton>& buttons);

} // namespace velmora
