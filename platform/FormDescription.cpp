#include "FormDescription.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <limits>

namespace velmora {

namespace {

// Reads the keys of one JSON object; a key given with a value of another
// kind reads as that kind's zero value, as QJsonValue's conversions do.
class Keys {
public:
    explicit Keys(const QJsonObject& object) : m_object(object) {}

    QJsonValue value(const char* key) const { return m_object.value(QLatin1String(key)); }
    bool has(const char* key) const { return m_object.contains(QLatin1String(key)); }
    QString text(const char* key) const { return value(key).toString(); }
    bool flag(const char* key, bool missing = false) const { return value(key).toBool(missing); }

    std::optional<QString> optionalText(const char* key) const {
        return has(key) ? std::optional(text(key)) : std::nullopt;
    }
    std::optional<bool> optionalFlag(const char* key) const {
        return has(key) ? std::optional(flag(key)) : std::nullopt;
    }
    /// A Boolean given as one; none for a missing key or one of another kind.
    std::optional<bool> boolean(const char* key) const {
        const QJsonValue v = value(key);
        return v.isBool() ? std::optional(v.toBool()) : std::nullopt;
    }
    std::optional<OleColor> colour(const char* key) const {
        return has(key) ? std::optional(OleColor(value(key).toInteger())) : std::nullopt;
    }
    std::optional<FontDescription> font(const char* key) const {
        return has(key) ? std::optional(FontDescription::fromJson(value(key).toObject()))
                        : std::nullopt;
    }

private:
    const QJsonObject& m_object;
};

TwipsBox boxFrom(const QJsonArray& geometry) {
    return {geometry.at(0).toInt(), geometry.at(1).toInt(), geometry.at(2).toInt(),
            geometry.at(3).toInt()};
}

// A JSON number as a whole number; one past the range of qint64 stands at
// its end rather than overflowing the conversion.
qint64 wholeNumber(double number) {
    constexpr double kLimit = 9223372036854775808.0; // 2^63
    if (number >= kLimit)
        return std::numeric_limits<qint64>::max();
    if (number < -kLimit)
        return std::numeric_limits<qint64>::min();
    return qint64(number);
}

QLine lineFrom(const QJsonArray& ends) {
    return QLine(ends.at(0).toInt(), ends.at(1).toInt(), ends.at(2).toInt(), ends.at(3).toInt());
}

ControlDescription::Look lookFrom(const Keys& keys) {
    return {keys.font("font"),
            keys.colour("backColor"),
            keys.flag("transparent"),
            keys.colour("foreColor"),
            keys.text("cursor") == QLatin1String("hand"),
            keys.optionalText("accessibleName")};
}

ControlDescription::Shape shapeFrom(const Keys& keys) {
    return {keys.colour("fillColor"), keys.colour("borderColor"), keys.flag("filled", true),
            keys.boolean("border"), lineFrom(keys.value("line").toArray())};
}

ControlDescription controlFrom(const QJsonObject& object) {
    const Keys keys(object);
    ControlDescription d;
    d.plainName = keys.text("name");
    d.name = d.plainName;
    d.indexed = keys.has("index");
    if (d.indexed)
        d.name += QStringLiteral("(%1)").arg(keys.value("index").toInt());
    d.type = keys.text("type");
    d.parent = keys.optionalText("parent");
    d.geometry = boxFrom(keys.value("geometry").toArray());
    d.visible = keys.flag("visible", true);
    d.enabled = keys.optionalFlag("enabled");
    d.toolTip = keys.optionalText("toolTip");
    d.labelFor = keys.optionalText("labelFor");
    d.look = lookFrom(keys);

    d.caption = keys.optionalText("caption");
    d.alignment = keys.text("alignment");
    d.wordWrap = keys.flag("wordWrap", true);
    d.tabStop = keys.optionalText("tabStop");
    d.activatedByDoubleClick = keys.text("activation") == QLatin1String("doubleClick");
    d.picture = keys.text("picture");
    d.stretch = keys.flag("stretch");
    d.shape = shapeFrom(keys);

    for (const QJsonValue item : keys.value("items").toArray())
        d.items << item.toString();
    d.currentIndex = keys.value("currentIndex").toInt(-1);
    d.checked = keys.flag("value");
    d.interval = keys.value("interval").toInt();
    d.bag = BagEntry::listFromJson(keys.value("bag").toObject());
    return d;
}

} // namespace

FontDescription FontDescription::fromJson(const QJsonObject& font) {
    const Keys keys(font);
    FontDescription d;
    d.name = keys.optionalText("name");
    if (keys.has("size"))
        d.size = keys.value("size").toDouble();
    d.bold = keys.flag("bold");
    d.italic = keys.flag("italic");
    d.underline = keys.flag("underline");
    d.strikeout = keys.flag("strikeout");
    return d;
}

QList<BagEntry> BagEntry::listFromJson(const QJsonObject& bag) {
    QList<BagEntry> entries;
    for (auto it = bag.begin(); it != bag.end(); ++it) {
        BagEntry entry;
        entry.key = it.key();
        const QJsonValue value = it.value();
        const auto is = [&entry](const char* name) {
            return entry.key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
        };
        if (is("font") && value.isObject()) {
            entry.kind = Kind::Font;
            entry.font = FontDescription::fromJson(value.toObject());
        } else if ((is("picture") || is("mouseicon")) && value.isString()) {
            entry.kind = Kind::Picture;
            entry.value = value.toString();
        } else if (value.isDouble()) {
            entry.value = wholeNumber(value.toDouble());
        } else {
            entry.value = value.toVariant();
        }
        entries << entry;
    }
    return entries;
}

FormDescription FormDescription::parse(const QByteArray& json) {
    const QJsonObject window = QJsonDocument::fromJson(json).object();
    const Keys keys(window);
    FormDescription form;
    form.caption = keys.optionalText("caption");
    form.font = keys.font("font");
    form.backColor = keys.colour("backColor");
    if (keys.has("clientWidth")) {
        form.clientWidth = keys.value("clientWidth").toInt();
        form.clientHeight = keys.value("clientHeight").toInt();
    }
    for (const QJsonValue entry : keys.value("controls").toArray())
        form.controls << controlFrom(entry.toObject());
    return form;
}

} // namespace velmora
