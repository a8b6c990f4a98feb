#pragma once

#include "FaceProperties.h"
#include "raster/Surface.h"

#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QSize>

namespace velmora {

/// Paints a ButtonEx face into its retained back-buffer: background, edges,
/// default frame, caption, focus rectangle and the picture (plain with its
/// transparent key colour, or as a one-colour silhouette).  The face is in
/// pixels and keeps what was painted until the next redraw.
class ButtonFaceRenderer {
public:
    ButtonFaceRenderer();

    /// Resizes the back-buffer (pixels); the content is cleared.
    void resize(const QSize& pixels);
    /// Paints the whole face for `state`; false when the repaint was
    /// abandoned part-way (the caller keeps its previous state).
    bool redraw(int state, const FaceProperties& properties, const FaceContext& context);

    const QImage& face() const { return m_face.image(); }
    /// Where the picture holder last was put on the face.
    QPoint picturePosition() const { return m_picturePosition; }
    /// The palette system colours resolve against.
    void setPalette(const QPalette& palette);

private:
    void applyProperties(const FaceProperties& properties);
    void loadPicture(const FaceProperties& properties);
    void fitScratchSurfaces(const QSize& picture);
    bool drawEdges(int state, const FaceProperties& properties, bool& frame);

    Surface m_face;
    QPoint m_picturePosition;
    // The picture holder and the scratch surfaces of the highlight, named
    // as the control's hidden child surfaces are.
    Surface imgPicture;
    Surface pictNewPicture;
    Surface pictTempHighlight;
    Surface pictTempDestination;
    qint64 m_pictureKey = 0;
    QRgb m_pictureBack = 0;
};

} // namespace velmora
