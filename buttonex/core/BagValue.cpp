#include "BagValue.h"

#include <QPixmap>
#include <cmath>

namespace velmora {

namespace {

std::optional<double> numberOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Double:
    case QMetaType::Float:
        return value.toDouble();
    case QMetaType::Bool:
        // A stored True reads as -1, as Booleans have always been numbered.
        return value.toBool() ? -1.0 : 0.0;
    case QMetaType::QString: {
        bool ok = false;
        const double number = value.toString().trimmed().toDouble(&ok);
        if (ok && std::isfinite(number))
            return number;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<std::uint32_t> BagValue::toInt32(const QVariant& value) {
    const std::optional<double> number = numberOf(value);
    if (!number)
        return std::nullopt;
    const double rounded = std::nearbyint(*number);
    if (rounded < -2147483648.0 || rounded > 4294967295.0)
        return std::nullopt;
    return std::uint32_t(std::int64_t(rounded));
}

std::optional<bool> BagValue::toBoolean(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    if (const std::optional<double> number = numberOf(value))
        return *number != 0.0;
    return std::nullopt;
}

std::optional<QString> BagValue::toText(const QVariant& value) {
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (numberOf(value))
        return value.toString();
    return std::nullopt;
}

std::optional<QFont> BagValue::toFont(const QVariant& value) {
    if (value.typeId() == QMetaType::QFont)
        return value.value<QFont>();
    if (value.typeId() == QMetaType::QString) {
        QFont font;
        if (font.fromString(value.toString()))
            return font;
    }
    return std::nullopt;
}

std::optional<QImage> BagValue::toPicture(const QVariant& value) {
    if (!value.isValid())
        return QImage();
    if (value.typeId() == QMetaType::QImage)
        return value.value<QImage>();
    if (value.typeId() == QMetaType::QPixmap)
        return value.value<QPixmap>().toImage();
    return std::nullopt;
}

} // namespace velmora
