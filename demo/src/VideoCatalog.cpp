#include "VideoCatalog.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace velmora {

namespace {

const QString kAllCategory = QStringLiteral("All");

QByteArray record(const QString& category, const QList<VideoEntry>& videos) {
    QStringList entries;
    for (const VideoEntry& video : videos)
        entries << video.name + QStringLiteral(".swf");
    return (category + QStringLiteral("[R]") + entries.join(QStringLiteral("[C]")) +
            QStringLiteral("[R]"))
        .toUtf8();
}

} // namespace

bool VideoCatalog::parse(const QByteArray& json, VideoCatalog& out, QString& error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        error = QStringLiteral("videos.json: %1").arg(parseError.errorString());
        return false;
    }
    static const QRegularExpression safeName(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9 -]*$"));
    VideoCatalog catalog;
    const QJsonObject root = document.object();
    for (auto kind = root.begin(); kind != root.end(); ++kind) {
        if (kind.key() != QLatin1String("Buyer") && kind.key() != QLatin1String("Coder")) {
            error = QStringLiteral("videos.json: unknown video kind \"%1\"").arg(kind.key());
            return false;
        }
        Kind parsed{kind.key(), {}};
        for (const QJsonValue& categoryValue : kind.value().toArray()) {
            const QJsonObject category = categoryValue.toObject();
            VideoCategory parsedCategory{category.value(QLatin1String("category")).toString(), {}};
            for (const QJsonValue& videoValue : category.value(QLatin1String("videos")).toArray()) {
                const QJsonObject video = videoValue.toObject();
                const QString name = video.value(QLatin1String("name")).toString();
                if (!safeName.match(name).hasMatch()) {
                    error = QStringLiteral("videos.json: unusable video name \"%1\"").arg(name);
                    return false;
                }
                parsedCategory.videos.append(
                    {name, video.value(QLatin1String("scenes")).toArray()});
            }
            if (!safeName.match(parsedCategory.name).hasMatch() ||
                parsedCategory.name == kAllCategory) {
                error = QStringLiteral("videos.json: unusable category name \"%1\"")
                            .arg(parsedCategory.name);
                return false;
            }
            parsed.categories.append(parsedCategory);
        }
        catalog.m_kinds.append(parsed);
    }
    out = catalog;
    return true;
}

QStringList VideoCatalog::kinds() const {
    QStringList names;
    for (const Kind& kind : m_kinds)
        names << kind.name;
    return names;
}

QList<VideoCategory> VideoCatalog::categories(const QString& kind) const {
    for (const Kind& entry : m_kinds) {
        if (entry.name == kind)
            return entry.categories;
    }
    return {};
}

QList<VideoEntry> VideoCatalog::allVideos(const QString& kind) const {
    QList<VideoEntry> all;
    QStringList seen;
    for (const VideoCategory& category : categories(kind)) {
        for (const VideoEntry& video : category.videos) {
            if (!seen.contains(video.name)) {
                seen << video.name;
                all << video;
            }
        }
    }
    return all;
}

QByteArray VideoCatalog::listFileText(const QString& kind) const {
    QByteArray text = record(kAllCategory, allVideos(kind));
    for (const VideoCategory& category : categories(kind))
        text += record(category.name, category.videos);
    return text;
}

} // namespace velmora
