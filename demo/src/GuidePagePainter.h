#pragma once

#include "GuideDocument.h"

#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

namespace velmora {

/// Page number and page count printed in a page's footer (1-based).
struct PageNumbering {
    int number = 1;
    int total = 1;
};

/// Renders the pages of a guide as pictures: page 0 is the cover with the
/// contents, page n the document's content page n - 1. The layout is designed
/// for `designSize` and scaled uniformly to the requested width.
class GuidePagePainter {
public:
    static constexpr QSize designSize{1240, 1754};

    explicit GuidePagePainter(const GuideDocument& document) : m_document(document) {}

    /// Paints rendered page `index` into a new image of `size`. Returns a null
    /// image and sets `error` when the page's text does not fit on the page.
    QImage render(int index, QSize size, PageNumbering numbering, QString& error) const;

private:
    // Both return the bottom of what they painted, in design pixels.
    qreal paintCover(QPainter& painter) const;
    qreal paintContent(QPainter& painter, const GuidePage& page, int chapter) const;
    void paintHeader(QPainter& painter) const;
    void paintFooter(QPainter& painter, PageNumbering numbering) const;

    const GuideDocument& m_document;
};

} // namespace velmora
