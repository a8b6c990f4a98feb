#include "PageViewer.h"

#include "guides/reader/core/ViewerLayout.h"
#include "platform/FocusFrame.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>

namespace velmora {

namespace {

// One notch of the wheel moves the page this many pixels per scroll line.
constexpr int kWheelPixelsPerLine = 20;

// Bar steps for `pixels` of movement, at least one.
int barStepsFor(const ScrollRange& range, int pixels) {
    const int steps = pixelsToTwips(pixels) / range.unit;
    return steps != 0 ? steps : (pixels < 0 ? -1 : 1);
}

} // namespace

PageViewer::PageViewer(QWidget* viewport, QWidget* surface, QScrollBar* horizontal,
                       QScrollBar* vertical, DecodedPageCache& cache, QObject* parent)
    : QObject(parent), m_viewport(viewport), m_surface(surface, cache), m_horizontal(horizontal),
      m_vertical(vertical) {
    // A click on the page, or Tab, gives the reading screen the keyboard,
    // for the reading keys.
    if (m_viewport) {
        m_viewport->setFocusPolicy(Qt::StrongFocus);
        FocusFrame::attach(m_viewport);
    }
    // Follows the thumb while it is dragged as well as on release.
    if (m_horizontal) {
        m_horizontal->setTracking(true);
        connect(m_horizontal, &QScrollBar::valueChanged, this, &PageViewer::horizontalChanged);
    }
    if (m_vertical) {
        m_vertical->setTracking(true);
        connect(m_vertical, &QScrollBar::valueChanged, this, &PageViewer::verticalChanged);
    }
    if (m_viewport)
        m_viewport->installEventFilter(this);
}

void PageViewer::adjustBars(bool withHorizontal) {
    QWidget* surface = m_surface.widget();
    if (!m_viewport || !surface)
        return;
    if (withHorizontal) {
        m_horizontalRange = ScrollRange::forExtents(pixelsToTwips(surface->width()),
                                                    pixelsToTwips(m_viewport->width()));
        applyRange(m_horizontal, m_horizontalRange);
    }
    m_verticalRange = ScrollRange::forExtents(pixelsToTwips(surface->height()),
                                              pixelsToTwips(m_viewport->height()));
    applyRange(m_vertical, m_verticalRange);
}

void PageViewer::fitToWindow(int windowWidthTwips) {
    if (!m_viewport || !m_vertical)
        return;
    const int width = viewerWidthFor(windowWidthTwips, pixelsToTwips(m_viewport->x()),
                                     pixelsToTwips(m_vertical->width()));
    m_viewport->resize(qMax(0, twipsToPixels(width)), m_viewport->height());
    const int barHeight = viewerBarHeightFor(pixelsToTwips(m_viewport->height()));
    m_vertical->resize(m_vertical->width(), qMax(0, twipsToPixels(barHeight)));
    if (m_horizontal)
        m_horizontal->resize(m_viewport->width(), m_horizontal->height());
}

void PageViewer::applyRange(QScrollBar* bar, const ScrollRange& range) {
    if (!bar)
        return;
    // A page that fits leaves the bar's range as it was, only disabled.
    if (range.enabled) {
        bar->setMaximum(range.max);
        bar->setPageStep(range.largeChange);
        bar->setSingleStep(range.smallChange);
    }
    bar->setEnabled(range.enabled);
}

void PageViewer::horizontalChanged(int value) {
    if (QWidget* surface = m_surface.widget())
        surface->move(twipsToPixels(-m_horizontalRange.offsetFor(value)), surface->y());
}

void PageViewer::verticalChanged(int value) {
    if (QWidget* surface = m_surface.widget())
        surface->move(surface->x(), twipsToPixels(-m_verticalRange.offsetFor(value)));
}

bool PageViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_viewport || event->type() != QEvent::Wheel)
        return false;
    const auto* wheel = static_cast<QWheelEvent*>(event);
    QPoint delta = wheel->pixelDelta();
    if (delta.isNull())
        delta =
            wheel->angleDelta() * (QApplication::wheelScrollLines() * kWheelPixelsPerLine) / 120;
    // Shift turns a vertical wheel sideways, as most viewers do.
    if (wheel->modifiers() & Qt::ShiftModifier)
        delta = QPoint(delta.y(), delta.x());
    bool used = false;
    if (delta.y() != 0 && m_vertical && m_vertical->isEnabled()) {
        m_vertical->setValue(m_vertical->value() - barStepsFor(m_verticalRange, delta.y()));
        used = true;
    }
    if (delta.x() != 0 && m_horizontal && m_horizontal->isEnabled()) {
        m_horizontal->setValue(m_horizontal->value() - barStepsFor(m_horizontalRange, delta.x()));
        used = true;
    }
    return used;
}

} // namespace velmora
