#pragma once

#include <Button/OleColor.h>

#include <QFont>
#include <QImage>
#include <QString>

namespace velmora {

/// Visual states of a ButtonEx face; the values are stored and compared.
enum VisualState : int { Pressed = 0, Normal = 1, Hover = 2 };

/// What the face painter needs of the control's properties.
struct FaceProperties {
    int appearance = 0; // 0 flat, 1 3-D
    OleColor backColor = 0;
    OleColor foreColor = 0;
    OleColor highlightColor = 0;
    OleColor transparentColor = 0;
    QString caption;
    QFont font;
    QImage picture; // null: no picture
    bool highlightPicture = false;
    bool enabled = false;
    bool rightToLeft = false;
};

/// What the face painter needs of the control's situation.
struct FaceContext {
    bool drawDefault = false; // default/focus frame wanted
    bool userMode = false;    // the host is running (not a design view)
};

} // namespace velmora
