#pragma once

#include <QSize>
#include <QString>

namespace velmora {

struct GuideDocument;
class OutputTree;

/// Where and how one guide is written: a group index file and its pages.
struct GuideOutput {
    QString indexPath;  ///< the index file, relative to the tree's root
    QString pageFolder; ///< folder of the page files, relative to the index's folder
    QSize pageSize;     ///< picture size of every page
    int pageCount = 0;  ///< 0: the document's own pages; more: the document repeated
    int grain = 0;      ///< paper grain amplitude (0: clean pages)
    int quality = 85;   ///< JPEG quality
};

/// Renders a guide's pages as JPEG files and writes the group index that
/// lists them: one page file per line, CR LF line ends, comments first.
class GuideWriter {
public:
    explicit GuideWriter(OutputTree& tree) : m_tree(tree) {}

    /// Writes the guide; failures are recorded in the tree. Returns the
    /// number of pages written.
    int write(const GuideDocument& document, const GuideOutput& output);

private:
    OutputTree& m_tree;
};

} // namespace velmora
