#pragma once

#include "PageSurface.h"
#include "ScrollRange.h"

#include <QObject>
#include <QPointer>
#include <QScrollBar>

class QWidget;

namespace velmora {

class DecodedPageCache;

/// One guide's viewer: a viewport that clips a page surface, which its
/// scroll bars move.  Bar values are in twips (in coarser units when a page
/// exceeds the viewport by more than a 16-bit bar holds).  The mouse wheel
/// over the viewport moves the bars.  A viewer without a horizontal bar
/// clips pages wider than its viewport.
class PageViewer : public QObject {
    Q_OBJECT
public:
    PageViewer(QWidget* viewport, QWidget* surface, QScrollBar* horizontal, QScrollBar* vertical,
               DecodedPageCache& cache, QObject* parent = nullptr);

    QWidget* viewport() const { return m_viewport; }
    PageSurface& surface() { return m_surface; }
    const PageSurface& surface() const { return m_surface; }
    QScrollBar* horizontalBar() const { return m_horizontal; }
    QScrollBar* verticalBar() const { return m_vertical; }

    /// Sets the bars' ranges from the sizes of the surface and the
    /// viewport: enabled with the surplus as their maximum, disabled when
    /// the page fits.  Only the vertical bar when `withHorizontal` is false.
    void adjustBars(bool withHorizontal);

    /// Lays the viewer out in a main window `windowWidthTwips` wide: the
    /// viewport spans the window less three times its left edge and less
    /// its vertical bar, the vertical bar is 50 twips shorter than the
    /// viewport, and the horizontal bar is as wide as the viewport.
    void fitToWindow(int windowWidthTwips);

    /// The scroll rule of one bar, as last set by adjustBars.
    const ScrollRange& horizontalRange() const { return m_horizontalRange; }
    const ScrollRange& verticalRange() const { return m_verticalRange; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void horizontalChanged(int value);
    void verticalChanged(int value);
    static void applyRange(QScrollBar* bar, const ScrollRange& range);

    QPointer<QWidget> m_viewport;
    PageSurface m_surface;
    QPointer<QScrollBar> m_horizontal;
    QPointer<QScrollBar> m_vertical;
    ScrollRange m_horizontalRange;
    ScrollRange m_verticalRange;
};

} // namespace velmora
