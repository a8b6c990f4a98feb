#pragma once

#include <QByteArray>
#include <QString>

class QImage;

namespace velmora {

/// The folder the generator writes the content server tree into.
///
/// `prepare` empties a folder that an earlier run made (recognised by its
/// marker file) and refuses any other non-empty folder, so a wrong command
/// line cannot wipe unrelated files. The first failing write is remembered;
/// later writes are skipped and `ok` stays false.
class OutputTree {
public:
    explicit OutputTree(const QString& root) : m_root(root) {}

    /// Creates or empties the root folder and marks it as demo content.
    bool prepare();
    /// Writes `data` to `relativePath`, creating folders as needed.
    void writeFile(const QString& relativePath, const QByteArray& data);
    /// Saves `image` as a baseline JPEG of the given quality.
    void writeJpeg(const QString& relativePath, const QImage& image, int quality);
    /// Records that the tree is complete (the stamp file the build depends on).
    void finish();
    /// Records a failure that did not come from a write.
    void fail(const QString& error);

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    QString root() const { return m_root; }

    static constexpr const char* markerName = ".velmora-demo-content";
    static constexpr const char* stampName = ".velmora-demo-stamp";

private:
    QString prepareFolderFor(const QString& relativePath);

    QString m_root;
    QString m_error;
};

} // namespace velmora
