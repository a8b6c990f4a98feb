#include "GuideWriter.h"

#include "GuideDocument.h"
#include "GuidePagePainter.h"
#include "OutputTree.h"
#include "PaperGrain.h"

#include <QFileInfo>

namespace velmora {

int GuideWriter::write(const GuideDocument& document, const GuideOutput& output) {
    const int ownPages = document.renderedPageCount();
    const int count = output.pageCount > 0 ? output.pageCount : ownPages;
    const int digits = qMax(2, int(QString::number(count).size()));
    const QString indexFolder = QFileInfo(output.indexPath).path();
    const GuidePagePainter painter(document);

    // The reader splits the index at CR LF only, so every line ends with it.
    QByteArray index;
    index += "; " + document.title.toUtf8() + " - " + QByteArray::number(count) + " pages\r\n";
    index += "; One page file per line, relative to the folder of this file.\r\n\r\n";
    for (int i = 0; i < count && m_tree.ok(); ++i) {
        QString error;
        QImage page = painter.render(i % ownPages, output.pageSize, {i + 1, count}, error);
        if (page.isNull()) {
            m_tree.fail(error);
            break;
        }
        addPaperGrain(page, output.grain, quint32(i + 1) * 2654435761u);
        const QString name = QStringLiteral("%1/page%2.jpg")
                                 .arg(output.pageFolder)
                                 .arg(i + 1, digits, 10, QLatin1Char('0'));
        m_tree.writeJpeg(indexFolder + QLatin1Char('/') + name, page, output.quality);
        index += name.toUtf8() + "\r\n";
    }
    m_tree.writeFile(output.indexPath, index);
    return m_tree.ok() ? count : 0;
}

} // namespace velmora
