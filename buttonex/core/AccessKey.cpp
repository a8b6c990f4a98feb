#include "AccessKey.h"

namespace velmora {

namespace {
constexpr QChar kMarker = QLatin1Char('&');
}

std::optional<QString> AccessKey::fromCaption(const QString& caption) {
    for (qsizetype at = caption.indexOf(kMarker); at >= 0; at = caption.indexOf(kMarker, at + 2)) {
        if (at + 1 >= caption.size())
            return QString();
        if (caption.at(at + 1) != kMarker)
            return QString(caption.at(at + 1));
    }
    return std::nullopt;
}

QString AccessKey::plainText(const QString& caption) {
    QString text;
    text.reserve(caption.size());
    for (qsizetype at = 0; at < caption.size(); ++at) {
        if (caption.at(at) != kMarker) {
            text += caption.at(at);
            continue;
        }
        // "&&" keeps one ampersand; a lone "&" only marks the next character.
        if (at + 1 < caption.size() && caption.at(at + 1) == kMarker) {
            text += kMarker;
            ++at;
        }
    }
    return text;
}

} // namespace velmora
