#pragma once

#include "FaceProperties.h"

#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QSize>

namespace velmora {

/// Paints a ButtonEx face into its retained back-buffer: background, edges,
/// default frame, caption, focus rectangle and the picture (plain with its
/// transparent key colour, or as a one-colour silhouette).
class ButtonFaceRenderer {
public:
    /// Resizes the back-buffer (pixels); the content is cleared.
    void resize(const QSize& pixels);
    /// Paints the whole face for `state`; false when the repaint was
    /// abandoned part-way (the caller keeps its previous state).
    bool redraw(int state, const FaceProperties& properties, const FaceContext& context);

    const QImage& face() const { return m_face; }
    /// Where the picture holder last was put on the face.
    QPoint picturePosition() const { return m_picturePosition; }
    /// The palette system colours resolve against.
    void setPalette(const QPalette& palette) { m_palette = palette; }

private:
    QImage m_face;
    QPoint m_picturePosition;
    QPalette m_palette;
};

} // namespace velmora
