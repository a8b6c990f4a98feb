#include "SiteWriter.h"

#include "ContentPaths.h"
#include "DemoResources.h"
#include "OutputTree.h"

#include <QRegularExpression>

namespace velmora {

void SiteWriter::write() {
    const struct {
        const char* resource;
        QString target;
    } pages[] = {
        {"site/contactus.part.html", content::contactPage},
        {"site/faq.part.html", QStringLiteral("faq.html")},
        {"site/index.part.html", QStringLiteral("index.html")},
        {"site/notfound.part.html", content::missingVideoPage},
    };
    // A part starts with the line "<!-- title: ... -->"; the rest goes into <main>.
    static const QRegularExpression titleLine(QStringLiteral("^<!-- title: (.*) -->\n"));
    const QByteArray layout = readDemoResource("site/layout.html");
    const QByteArray css = readDemoResource("site/site.css");
    for (const auto& page : pages) {
        const QString part = QString::fromUtf8(readDemoResource(page.resource));
        const QRegularExpressionMatch title = titleLine.match(part);
        if (layout.isEmpty() || css.isEmpty() || !title.hasMatch()) {
            m_tree.fail(
                QStringLiteral("bad or missing resource %1").arg(QLatin1String(page.resource)));
            return;
        }
        QByteArray html = layout;
        html.replace("{{CSS}}", css);
        html.replace("{{TITLE}}", title.captured(1).toUtf8());
        html.replace("{{MAIN}}", part.mid(title.capturedLength()).toUtf8());
        m_tree.writeFile(page.target, html);
    }
}

} // namespace velmora
