#pragma once

#include "Form.h"

#include <QByteArray>
#include <QJsonObject>

class QFont;

namespace velmora {

struct FormDescription;
class PropertyBag;

/// Builds a window's controls from its description: a JSON document (kept
/// in the program's Qt resources) of the form
///
///   { "caption": "...", "clientWidth": twips, "clientHeight": twips,
///     "backColor": colour, "font": {...},
///     "controls": [ { "name": "...", "type": "...", "parent": "frame name",
///                     "index": n, "geometry": [left, top, width, height], ... } ] }
///
/// Geometry is in twips and relative to the parent frame (or the window).
/// Types: Frame (a titled group box when it has a caption), PictureBox, Label, Image, Shape, Line,
/// TextBox, ListBox, ComboBox, OptionButton, HScrollBar, VScrollBar, ProgressBar, Timer, and
/// ButtonEx, which is created by the class name "Button.ButtonEx" and loaded
/// from its "bag" (its stored properties, extents included).  Common keys:
/// caption, font {name, size, bold, italic, underline}, foreColor, backColor
/// (0x00BBGGRR or 0x800000nn), transparent, alignment (left|center|right),
/// wordWrap, toolTip, cursor ("hand"), visible, enabled, picture (resource),
/// accessibleName, labelFor (a Label naming another control).  A Label,
/// Image or PictureBox with "tabStop" ("link" or "button") takes the
/// keyboard, which does its click (its double-click with "activation":
/// "doubleClick"); every ButtonEx takes Return and Space, every ListBox
/// Return as its double-click.
/// A control that cannot be built is left out; the rest of the window loads.
/// The description is read first (FormDescription), then built.
class FormLoader {
public:
    static Form load(const QString& resource, QWidget* root);
    static Form loadFromJson(const QByteArray& json, QWidget* root);

    /// A ButtonEx property bag from its JSON object: numbers, Booleans and
    /// texts as they are, a font object as QFont, a picture as QImage.
    static PropertyBag bagFrom(const QJsonObject& description, const QFont& baseFont);

private:
    static Form build(const FormDescription& description, QWidget* root);
};

} // namespace velmora
