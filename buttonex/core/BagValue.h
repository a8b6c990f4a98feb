#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

namespace velmora {

/// Converts values read from a property bag to a property's type.  Nothing
/// comes back when the stored value is of a kind that cannot be converted
/// (text that is not a number for an integer, a number for a font, ...),
/// so that the caller skips the property instead of guessing.
class BagValue {
public:
    /// The low 32 bits of an integral value in [-2^31, 2^32 - 1]; numbers,
    /// numeric text (rounded to the nearest integer, halves to even).
    static std::optional<std::uint32_t> toInt32(const QVariant& value);
    /// Booleans, numbers (non-zero is true), "True"/"False" in any case
    /// and numeric text.
    static std::optional<bool> toBoolean(const QVariant& value);
    /// Text, numbers and Booleans as text.
    static std::optional<QString> toText(const QVariant& value);
    /// A font object, or a font description text.
    static std::optional<QFont> toFont(const QVariant& value);
    /// A picture object; no value at all stands for "no picture" (a null image).
    static std::optional<QImage> toPicture(const QVariant& value);
};

} // namespace velmora
