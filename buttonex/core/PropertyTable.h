#pragma once

#include "BagValue.h"

#include <Button/PropertyBag.h>

#include <QFont>
#include <QImage>
#include <QString>
#include <QVariant>
#include <algorithm>
#include <optional>
#include <type_traits>
#include <vector>

namespace velmora {

/// How a persisted property is kept in a property bag.
enum class BagKind {
    Integer, // signed 32-bit
    Colour,  // unsigned 32-bit
    Boolean,
    Text,
    Font,   // defaults to the host's ambient font
    Picture // no picture is no value at all
};

/// One persisted property of a `Control`: its key, bag kind, default and
/// accessors.  `get` returns the value in its bag form; `set` takes a value
/// already converted to that form.
template <typename Control> struct PersistedProperty {
    const char* key;
    BagKind kind;
    QVariant fallback; // ignored for BagKind::Font
    int writePosition; // where the key comes in the save order
    QVariant (*get)(const Control&);
    void (*set)(Control&, const QVariant&);
};

namespace detail {
template <typename> struct SetterArgument;
template <typename C, typename A> struct SetterArgument<void (C::*)(A)> {
    using type = std::decay_t<A>;
};
} // namespace detail

/// A row for the getter/setter pair `Get`/`Set` of `Control`.
template <typename Control, auto Get, auto Set>
PersistedProperty<Control> persisted(const char* key, BagKind kind, const QVariant& fallback,
                                     int writePosition) {
    using Value = typename detail::SetterArgument<decltype(Set)>::type;
    return {key,
            kind,
            fallback,
            writePosition,
            [](const Control& control) {
                if constexpr (std::is_same_v<decltype((control.*Get)()), QVariant>)
                    return (control.*Get)();
                else
                    return QVariant::fromValue((control.*Get)());
            },
            [](Control& control, const QVariant& value) { (control.*Set)(value.value<Value>()); }};
}

/// Sets up, loads and saves a control's persisted properties from one
/// table, so that the three paths agree on keys, kinds and defaults.  New
/// instances and loads go through the table in its order, saves in the
/// order of the rows' write positions.
template <typename Control> class PropertyTable {
public:
    using Row = PersistedProperty<Control>;

    explicit PropertyTable(std::vector<Row> rows) : m_rows(std::move(rows)) {
        m_writeOrder = m_rows;
        std::stable_sort(m_writeOrder.begin(), m_writeOrder.end(), [](const Row& a, const Row& b) {
            return a.writePosition < b.writePosition;
        });
    }

    const std::vector<Row>& rows() const { return m_rows; }

    /// A new instance: every setter with its default.  A Font row without
    /// an ambient font (an invalid `ambientFont`) is left alone.
    void initialize(Control& control, const QVariant& ambientFont) const {
        for (const Row& row : m_rows)
            assign(control, row, fallbackOf(row, ambientFont));
    }

    /// A stored instance: every key read with its default; a value that
    /// cannot be converted to its kind is skipped.
    void load(Control& control, const PropertyBag& bag, const QVariant& ambientFont) const {
        for (const Row& row : m_rows)
            assign(control, row, bag.read(QLatin1String(row.key), fallbackOf(row, ambientFont)));
    }

    /// Every key with its default; the bag keeps only values that differ.
    /// A property with no value (no picture, a font never set) stores
    /// nothing, whatever its default.
    void save(const Control& control, PropertyBag& bag, const QVariant& ambientFont) const {
        for (const Row& row : m_writeOrder) {
            const QVariant value = storedForm(row.kind, row.get(control));
            bag.write(QLatin1String(row.key), value,
                      value.isValid() ? fallbackOf(row, ambientFont) : value);
        }
    }

    /// `stored` converted to the bag form of `kind`, or nothing.
    static std::optional<QVariant> convert(BagKind kind, const QVariant& stored) {
        // The converted value in a QVariant of its own type, when there is one.
        const auto wrap = [](const auto& value) -> std::optional<QVariant> {
            return value ? std::optional(QVariant::fromValue(*value)) : std::nullopt;
        };
        switch (kind) {
        case BagKind::Integer:
            if (const auto value = BagValue::toInt32(stored))
                return QVariant(int(*value));
            break;
        case BagKind::Colour:
            return wrap(BagValue::toInt32(stored));
        case BagKind::Boolean:
            return wrap(BagValue::toBoolean(stored));
        case BagKind::Text:
            return wrap(BagValue::toText(stored));
        case BagKind::Font:
            return wrap(BagValue::toFont(stored));
        case BagKind::Picture:
            return wrap(BagValue::toPicture(stored));
        }
        return std::nullopt;
    }

private:
    static QVariant fallbackOf(const Row& row, const QVariant& ambientFont) {
        return row.kind == BagKind::Font ? ambientFont : row.fallback;
    }

    static void assign(Control& control, const Row& row, const QVariant& stored) {
        if (const std::optional<QVariant> value = convert(row.kind, stored))
            row.set(control, *value);
    }

    static QVariant storedForm(BagKind kind, const QVariant& value) {
        if (kind == BagKind::Picture && value.value<QImage>().isNull())
            return {};
        if (kind == BagKind::Font && value.typeId() != QMetaType::QFont)
            return {};
        return value;
    }

    std::vector<Row> m_rows;
    std::vector<Row> m_writeOrder;
};

} // namespace velmora
