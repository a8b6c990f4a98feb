#pragma once

#include <QByteArray>
#include <QColor>
#include <QMap>

namespace velmora {

class OutputTree;
class VideoCatalog;

/// Writes the video part of the tree: per kind the category file and the
/// video file (the same records), and a player page per video made from
/// the player template.
class VideoWriter {
public:
    VideoWriter(OutputTree& tree, QByteArray playerTemplate)
        : m_tree(tree), m_template(std::move(playerTemplate)) {}

    /// Writes every kind of the catalogue; `accents` gives each kind's colour.
    /// Returns the number of player pages written.
    int write(const VideoCatalog& catalog, const QMap<QString, QColor>& accents);

private:
    OutputTree& m_tree;
    QByteArray m_template;
};

} // namespace velmora
