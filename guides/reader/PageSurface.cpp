#include "PageSurface.h"

#include "DecodedPageCache.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace velmora {

PageSurface::PageSurface(QWidget* surface, DecodedPageCache& cache, QObject* parent)
    : QObject(parent), m_widget(surface), m_cache(cache) {
    if (m_widget)
        m_widget->installEventFilter(this);
}

void PageSurface::cls() {
    m_printed.clear();
    if (m_widget)
        m_widget->update();
}

void PageSurface::print(const QString& text) {
    m_printed << text;
    if (m_widget)
        m_widget->update();
}

void PageSurface::setPicture(const Picture& picture) {
    m_picture = picture;
    m_printed.clear();
    m_partial = QImage();
    m_partialRect = QRect();
    if (!m_widget)
        return;
    if (!picture.isEmpty())
        m_widget->resize(picture.size());
    m_widget->update();
}

bool PageSurface::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_widget && event->type() == QEvent::Paint)
        paint(static_cast<QPaintEvent*>(event));
    // The widget still paints its own border, if it has one.
    return false;
}

void PageSurface::paint(const QPaintEvent* event) {
    QPainter painter(m_widget);
    if (!m_picture.isEmpty()) {
        // Only what is on screen: the viewport clips most of a page.
        const QRect visible =
            m_widget->visibleRegion().boundingRect() & QRect(QPoint(0, 0), m_picture.size());
        const QRect region = event->rect() & visible;
        if (!region.isEmpty()) {
            const QImage whole = m_cache.image(m_picture);
            if (!whole.isNull()) {
                painter.drawImage(region.topLeft(), whole, region);
                m_partial = QImage();
                m_partialRect = QRect();
            } else if (const QImage part = visibleImage(visible); !part.isNull()) {
                painter.drawImage(region.topLeft(), part,
                                  region.translated(-m_partialRect.topLeft()));
            }
            emit pageDrawn(m_picture);
        }
    }
    if (m_printed.isEmpty())
        return;
    painter.setFont(m_widget->font());
    painter.setPen(m_widget->palette().color(QPalette::WindowText));
    const QFontMetrics metrics(m_widget->font());
    int top = 0;
    for (const QString& line : std::as_const(m_printed)) {
        painter.drawText(0, top + metrics.ascent(), line);
        top += metrics.height();
    }
}

QImage PageSurface::visibleImage(const QRect& visible) {
    // The whole visible part at once, so the small repaints of a scroll
    // reuse it until the cache holds the page.
    // A region that failed to decode is not tried again: the bytes will
    // not read better on the next paint.
    if (!m_partialRect.contains(visible)) {
        m_partialRect = visible;
        m_partial = DecodedPageCache::decodeRegion(m_picture, visible);
    }
    return m_partial;
}

} // namespace velmora
