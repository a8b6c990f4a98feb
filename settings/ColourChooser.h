#pragma once

#include <Button/OleColor.h>

#include <QString>
#include <optional>

class QWidget;

namespace velmora {

/// Asks the user for a colour.  The program uses QColorDialog; tests give
/// their own answer.
class ColourChooser {
public:
    virtual ~ColourChooser() = default;
    /// The colour the user confirmed, or nothing when they cancelled.
    virtual std::optional<OleColor> choose(OleColor current, const QString& title,
                                           QWidget* parent) = 0;

    /// The QColorDialog chooser.
    static ColourChooser& standard();
};

} // namespace velmora
