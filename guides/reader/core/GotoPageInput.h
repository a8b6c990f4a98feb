#pragma once

#include <QString>
#include <optional>

namespace velmora {

/// The go-to box's text read as a page number.
class GotoPageInput {
public:
    /// The page number the text stands for, rounded to the nearest integer
    /// with halves going to the even neighbour; empty when the text is not a
    /// number (blanks around a number are allowed).
    static std::optional<long long> pageNumber(const QString& text);
};

} // namespace velmora
