#pragma once

#include <QString>
#include <optional>

namespace velmora {

/// How a caption's "&" markers name the control's access key and read on
/// screen: "&x" marks x, "&&" is a literal ampersand.
class AccessKey {
public:
    /// The character after the caption's first single "&"; an empty text
    /// when that "&" is the last character (the key is cleared); nothing
    /// when the caption holds no single "&" (the previous key stays).
    static std::optional<QString> fromCaption(const QString& caption);

    /// The caption as it reads: single "&" markers dropped, "&&" as "&".
    static QString plainText(const QString& caption);
};

} // namespace velmora
