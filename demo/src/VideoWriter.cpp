#include "VideoWriter.h"

#include "ContentPaths.h"
#include "OutputTree.h"
#include "VideoCatalog.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace velmora {

namespace {

QByteArray playerPage(QByteArray page, const QString& kind, const VideoEntry& video,
                      const QColor& accent) {
    const QJsonObject data{{QStringLiteral("name"), video.name},
                           {QStringLiteral("kind"), kind},
                           {QStringLiteral("scenes"), video.scenes}};
    // "</" inside a script element would end it early.
    QByteArray json = QJsonDocument(data).toJson(QJsonDocument::Compact);
    json.replace("</", "<\\/");
    page.replace("{{VIDEO_JSON}}", json);
    page.replace("{{TITLE}}", video.name.toHtmlEscaped().toUtf8());
    page.replace("{{KIND}}", kind.toHtmlEscaped().toUtf8());
    page.replace("{{ACCENT}}", accent.name().toUtf8());
    return page;
}

} // namespace

int VideoWriter::write(const VideoCatalog& catalog, const QMap<QString, QColor>& accents) {
    int pages = 0;
    for (const QString& kind : catalog.kinds()) {
        const QByteArray list = catalog.listFileText(kind);
        m_tree.writeFile(content::categoryFile(kind), list);
        m_tree.writeFile(content::videoFile(kind), list);
        for (const VideoEntry& video : catalog.allVideos(kind)) {
            m_tree.writeFile(content::playerPage(kind, video.name),
                             playerPage(m_template, kind, video, accents.value(kind)));
            ++pages;
        }
    }
    return pages;
}

} // namespace velmora
