#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace velmora {

/// The video list file format: records of a category name and that
/// category's video list, each followed by the marker "[R]"; a video list
/// is entries separated by "[C]".  Markers match exactly (case-sensitive)
/// and nothing but spaces around category names is ever trimmed.  A list
/// file may hold hundreds of thousands of markers; what is read of it is
/// bounded by `kMaxEntries`.
namespace VideoListFile {

/// Most category names, and most entries of one video list, that are read;
/// the rest of the file is left unread.
constexpr qsizetype kMaxEntries = 10000;

/// The list file's text: UTF-8, or Latin-1 when the bytes are not valid UTF-8.
QString decode(const QByteArray& bytes);

/// The first `kMaxEntries` category names: the pieces at even positions,
/// never the final piece (the text after the last marker).  Empty text
/// gives none.
QStringList categoryNames(const QString& text);

/// The first `kMaxEntries` entries of the first record whose name equals
/// `category`, both compared with leading and trailing spaces removed; none
/// when no record matches or its list is empty.
QStringList categoryEntries(const QString& text, const QString& category);

/// `text` without leading and trailing space characters (code 32 only:
/// tabs and line breaks stay).
QString trimSpaces(const QString& text);

/// The name shown for an entry: the entry without its last four characters
/// (its ".swf" extension); nothing when the entry has fewer than four.
std::optional<QString> displayName(const QString& entry);

} // namespace VideoListFile

} // namespace velmora
