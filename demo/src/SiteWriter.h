#pragma once

namespace velmora {

class OutputTree;

/// Writes the static HTML pages of the tree: the product web site's contact
/// and questions pages, the server's start page and the page shown for an
/// unknown video. Each page is its own content put into the shared layout,
/// with the style sheet inlined so that every page stands alone.
class SiteWriter {
public:
    explicit SiteWriter(OutputTree& tree) : m_tree(tree) {}

    void write();

private:
    OutputTree& m_tree;
};

} // namespace velmora
