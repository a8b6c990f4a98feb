#include "Skin.h"

#include <QPainter>
#include <QSvgRenderer>

namespace velmora {

QImage Skin::render() {
    QSvgRenderer renderer(QStringLiteral(":/app/resources/skin.svg"));
    if (!renderer.isValid())
        return {};
    QImage image(kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(kSize)));
    return image;
}

} // namespace velmora
