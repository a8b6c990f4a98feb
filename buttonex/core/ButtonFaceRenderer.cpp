#include "ButtonFaceRenderer.h"

#include "raster/Drawing.h"
#include "raster/PictureCopies.h"

#include <algorithm>

namespace velmora {

namespace {
constexpr QSize kDefaultFace(80, 24);
// Pictures sit this far from the left edge and at least this far from the top.
constexpr int kPictureMargin = 6;
constexpr int kFocusInset = 4;
constexpr int kAppearance3D = 1;
constexpr OleColor kBlack = 0x00000000u;
} // namespace

ButtonFaceRenderer::ButtonFaceRenderer() {
    for (Surface* scratch : {&pictNewPicture, &pictTempHighlight, &pictTempDestination}) {
        scratch->setBackColor(kColorButtonFace);
        scratch->setTextColor(kColorButtonText);
    }
}

void ButtonFaceRenderer::resize(const QSize& pixels) {
    m_face.resize(pixels.expandedTo({1, 1}));
}

void ButtonFaceRenderer::setPalette(const QPalette& palette) {
    // Hosts hand the palette over before every redraw; only a change costs.
    if (palette.isCopyOf(m_face.palette()) || palette == m_face.palette())
        return;
    for (Surface* surface :
         {&m_face, &imgPicture, &pictNewPicture, &pictTempHighlight, &pictTempDestination})
        surface->setPalette(palette);
}

void ButtonFaceRenderer::applyProperties(const FaceProperties& p) {
    m_face.setBackColor(p.backColor);
    m_face.setTextColor(p.foreColor);
    m_face.setFont(p.font);
    imgPicture.setBackColor(p.backColor);
    imgPicture.setTextColor(p.foreColor);
    loadPicture(p);
}

// The holder is refilled only when the picture or its background changed:
// an icon's transparent parts show the holder's background.
void ButtonFaceRenderer::loadPicture(const FaceProperties& p) {
    if (p.picture.isNull()) {
        imgPicture.setImage(QImage());
        m_pictureKey = 0;
        return;
    }
    if (p.picture.cacheKey() == m_pictureKey && imgPicture.backRgb() == m_pictureBack &&
        !imgPicture.isNull())
        return;
    imgPicture.setImage(p.picture);
    m_pictureKey = p.picture.cacheKey();
    m_pictureBack = imgPicture.backRgb();
}

void ButtonFaceRenderer::fitScratchSurfaces(const QSize& picture) {
    for (Surface* scratch : {&pictNewPicture, &pictTempHighlight, &pictTempDestination})
        if (scratch->width() < picture.width() || scratch->height() < picture.height())
            scratch->resize(scratch->size().expandedTo(picture));
}

// Edges by state; clears `frame` where the state shows no frame.
bool ButtonFaceRenderer::drawEdges(int state, const FaceProperties& p, bool& frame) {
    QRect r = m_face.rect();
    switch (state) {
    case Pressed:
        if (frame)
            return drawEdge(m_face, r, BDR_RAISEDOUTER | BDR_SUNKENOUTER,
                            BF_RECT | BF_ADJUST | BF_MONO) &&
                   drawEdge(m_face, r, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);
        return drawEdge(m_face, r, EDGE_SUNKEN, BF_RECT);
    case Normal:
        if (p.appearance != kAppearance3D) {
            frame = false;
            return true;
        }
        [[fallthrough]];
    case Hover:
        if (frame &&
            !drawEdge(m_face, r, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | BF_MONO))
            return false;
        return drawEdge(m_face, r, EDGE_RAISED, BF_RECT);
    default:
        return true;
    }
}

bool ButtonFaceRenderer::redraw(int state, const FaceProperties& p, const FaceContext& context) {
    if (m_face.isNull())
        resize(kDefaultFace);
    applyProperties(p);
    m_face.clear();
    bool frame = context.drawDefault;
    const bool running = context.userMode;
    if (!drawEdges(state, p, frame))
        return false;
    if (state == Pressed || state == Hover)
        m_face.setTextColor(p.highlightColor);

    const int width = m_face.width();
    const int height = m_face.height();
    const int shift = state == Pressed ? 1 : 0;
    const bool hasPicture = !imgPicture.isNull();
    QPoint place;
    if (hasPicture) {
        const int top = std::max(height / 2 - imgPicture.height() / 2, kPictureMargin);
        place = QPoint(kPictureMargin + shift, top + shift);
    }

    // The caption is measured as stored, "&" included, so a caption with an
    // access key sits half an ampersand left of true centre.
    const QSize caption = m_face.text().measure(p.caption);
    const int base = hasPicture ? place.x() + imgPicture.width() - kPictureMargin : 0;
    const QPoint captionAt(base / 2 + width / 2 - caption.width() / 2 + shift,
                           height / 2 - caption.height() / 2 + shift);
    drawStateText(m_face, captionAt, p.caption,
                  DST_PREFIXTEXT | (p.enabled ? 0u : DSS_DISABLED) |
                      (p.rightToLeft ? DSS_RIGHT : 0u));

    // The focus checker is black against the background colour, whatever
    // colour the caption was drawn in.
    if (running && frame) {
        const OleColor caption = m_face.textColor();
        m_face.setTextColor(kBlack);
        drawFocusRect(m_face, QRect(QPoint(kFocusInset, kFocusInset),
                                    QPoint(width - kFocusInset - 1, height - kFocusInset - 1)));
        m_face.setTextColor(caption);
    }

    if (hasPicture) {
        m_picturePosition = place;
        const int pw = imgPicture.width();
        const int ph = imgPicture.height();
        fitScratchSurfaces(imgPicture.size());
        pictNewPicture.clear();
        const bool silhouette = p.highlightPicture && (state == Pressed || state == Hover ||
                                                       (state == Normal && !p.enabled));
        if (silhouette) {
            PaintSilhouette(imgPicture, pictNewPicture, pictTempDestination, pictTempHighlight,
                            p.enabled ? p.highlightColor : kColorGrayText, pw, ph);
            DrawTransparent(m_face, pictNewPicture, place, QPoint(0, 0), pw, ph,
                            pictNewPicture.backColor());
        } else {
            DrawTransparent(m_face, imgPicture, place, QPoint(0, 0), pw, ph, p.transparentColor);
        }
    }
    m_face.setTextColor(p.foreColor);
    return true;
}

} // namespace velmora
