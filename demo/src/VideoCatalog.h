#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace velmora {

/// One video: its display name and the scenes its player page animates.
struct VideoEntry {
    QString name;
    QJsonArray scenes;
};

/// A named group of videos of one kind.
struct VideoCategory {
    QString name;
    QList<VideoEntry> videos;
};

/// The demo's videos per kind ("Buyer", "Coder"), read from videos.json.
class VideoCatalog {
public:
    /// Reads the catalogue. Fails on malformed JSON, an unknown kind, or a
    /// video name that could not travel unescaped in a player page address
    /// or be a file name (only letters, digits, blanks and hyphens).
    static bool parse(const QByteArray& json, VideoCatalog& out, QString& error);

    QStringList kinds() const;
    QList<VideoCategory> categories(const QString& kind) const;
    /// Every video of the kind once, in category order.
    QList<VideoEntry> allVideos(const QString& kind) const;

    /// The kind's video list file: an "All" record naming every video, then
    /// one record per category; entries are the names with ".swf".
    QByteArray listFileText(const QString& kind) const;

private:
    struct Kind {
        QString name;
        QList<VideoCategory> categories;
    };
    QList<Kind> m_kinds;
};

} // namespace velmora
