#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

namespace velmora {

/// One element of a guide page, in reading order.
struct GuideBlock {
    enum class Kind { Paragraph, SubHeading, Bullet, Tip, Steps };
    Kind kind = Kind::Paragraph;
    QString text;      ///< the block's text; empty for Steps
    QStringList steps; ///< the step labels of a Steps block
};

/// One content page of a guide: a chapter heading and its blocks.
struct GuidePage {
    QString heading;
    QList<GuideBlock> blocks;
};

/// A guide as written in the demo's small markup: cover metadata plus
/// content pages. The rendered guide is the cover followed by `pages`.
struct GuideDocument {
    QString title;    ///< cover title, e.g. "The Coder's Guide"
    QString subtitle; ///< cover subtitle
    QString label;    ///< short name used in page headers and footers
    QString intro;    ///< cover introduction paragraph
    QColor accent;    ///< the guide's colour
    QList<GuidePage> pages;

    /// Number of pictures the guide renders to: the cover and every page.
    int renderedPageCount() const { return int(pages.size()) + 1; }

    /// Parses the markup (see demo/content/coder-guide.txt). Returns false and
    /// sets `error` (with the line number) on a malformed document.
    static bool parse(const QString& text, GuideDocument& out, QString& error);
};

} // namespace velmora
