#pragma once

#include <QString>

namespace velmora {

/// Whom the learning material is for, guides and videos alike: the text
/// "Coder" or "Buyer", compared exactly (case-sensitive); any other text,
/// the empty one of a selector with nothing chosen included, is None.
enum class Kind { None, Coder, Buyer };

/// The kind's own text; empty for None.
inline QString kindText(Kind kind) {
    if (kind == Kind::None)
        return {};
    return kind == Kind::Coder ? QStringLiteral("Coder") : QStringLiteral("Buyer");
}

/// The kind named by `text`.
inline Kind kindFromText(const QString& text) {
    for (const Kind kind : {Kind::Coder, Kind::Buyer})
        if (text == kindText(kind))
            return kind;
    return Kind::None;
}

} // namespace velmora
