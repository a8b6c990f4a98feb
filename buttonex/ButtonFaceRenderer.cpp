#include "ButtonFaceRenderer.h"

#include <QPainter>

namespace velmora {

void ButtonFaceRenderer::resize(const QSize& pixels) {
    m_face = QImage(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_face.fill(Qt::white);
}

// Interim painter: face and caption only, until the full raster painter lands.
bool ButtonFaceRenderer::redraw(int state, const FaceProperties& p, const FaceContext&) {
    if (m_face.isNull())
        resize(QSize(80, 24));
    m_face.fill(toQColor(p.backColor, m_palette));
    QPainter painter(&m_face);
    painter.setFont(p.font);
    painter.setPen(toQColor(state == Normal ? p.foreColor : p.highlightColor, m_palette));
    painter.drawText(m_face.rect(), Qt::AlignCenter | Qt::TextShowMnemonic, p.caption);
    return true;
}

} // namespace velmora
