#pragma once

#include <Button/OleColor.h>

#include <QByteArray>
#include <QJsonObject>
#include <QLine>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace velmora {

/// A font as a window description gives it: a missing name or size keeps
/// the font it is applied to; the four styles are always set.
struct FontDescription {
    std::optional<QString> name;
    std::optional<double> size;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;

    static FontDescription fromJson(const QJsonObject& font);
};

/// One stored property of a button, from its "bag": a value as it is, a
/// font, or the resource of a picture.
struct BagEntry {
    enum class Kind { Value, Font, Picture };
    QString key;
    Kind kind = Kind::Value;
    /// A number (as qint64), Boolean or text for a value; the resource for a picture.
    QVariant value;
    FontDescription font;

    /// The entries of `bag` in key order.
    static QList<BagEntry> listFromJson(const QJsonObject& bag);
};

/// A rectangle in twips as the description gives it, unchecked.
struct TwipsBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

/// One control of a window description.  Keys the description leaves out
/// take the defaults below; a key of the wrong kind reads as that kind's
/// zero value (an empty text, false, 0).
struct ControlDescription {
    /// "Name", or "Name(index)" for a member of a control array.
    QString name;
    /// "Name" without the index.
    QString plainName;
    bool indexed = false;
    QString type;
    /// The frame it lies in; none for the window itself.
    std::optional<QString> parent;
    /// Relative to the parent.
    TwipsBox geometry;
    bool visible = true;
    /// A control takes input, a timer runs.
    std::optional<bool> enabled;
    std::optional<QString> toolTip;
    /// A label's control, which it names to assistive technology.
    std::optional<QString> labelFor;

    /// What every control but a hosted button takes from the description
    /// (a button has its own in its bag).
    struct Look {
        std::optional<FontDescription> font;
        std::optional<OleColor> backColor;
        /// Leaves out the back colour.
        bool transparent = false;
        std::optional<OleColor> foreColor;
        bool handCursor = false;
        std::optional<QString> accessibleName;
    } look;

    std::optional<QString> caption;
    /// A label's: "left", "center" or "right"; anything else reads as left.
    QString alignment;
    bool wordWrap = true;

    /// A label or picture the keyboard reaches ("link" or "button").
    std::optional<QString> tabStop;
    bool activatedByDoubleClick = false;
    /// An image's resource, stretched to its size or not.
    QString picture;
    bool stretch = false;

    /// A rectangle's or a line's colours and outline; a line's ends in twips.
    struct Shape {
        std::optional<OleColor> fillColor;
        std::optional<OleColor> borderColor;
        bool filled = true;
        /// Also a frame's box; each kind has its own default, which a
        /// value other than a Boolean leaves in place.
        std::optional<bool> border;
        QLine line;
    } shape;

    QStringList items;
    int currentIndex = -1;
    /// An option button's "value".
    bool checked = false;
    /// A timer's period in milliseconds.
    int interval = 0;
    QList<BagEntry> bag;
};

/// A window description, read without building anything: caption, client
/// size and colours of the window, then its controls in the order given.
struct FormDescription {
    std::optional<QString> caption;
    std::optional<FontDescription> font;
    std::optional<OleColor> backColor;
    /// Twips; a missing height reads as 0.
    std::optional<int> clientWidth;
    int clientHeight = 0;
    QList<ControlDescription> controls;

    /// Reads `json`; a document that is not a JSON object describes an
    /// empty window.
    static FormDescription parse(const QByteArray& json);
};

} // namespace velmora
