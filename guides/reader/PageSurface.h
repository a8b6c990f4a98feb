#pragma once

#include "guides/core/Picture.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QStringList>

class QPaintEvent;
class QWidget;

namespace velmora {

class DecodedPageCache;

/// A picture box that shows one page picture at its own size, plus the
/// text printed on it.  The page is painted from the cache's decoded image
/// when held, otherwise from a decode of just the region being painted, so
/// a page comes up without waiting for its whole decode.  Attaches to the
/// widget the window description created; the widget keeps its name,
/// place and font.
class PageSurface : public QObject {
    Q_OBJECT
public:
    PageSurface(QWidget* surface, DecodedPageCache& cache, QObject* parent = nullptr);

    QWidget* widget() const { return m_widget; }
    Picture picture() const { return m_picture; }
    QStringList printedText() const { return m_printed; }

    /// Clears the drawing: the printed text goes, the picture stays.
    void cls();
    /// Prints `text` on the next line, starting at the top-left corner
    /// after cls(), in the widget's font and foreground colour.
    void print(const QString& text);
    /// Shows `picture`, which replaces the drawing; the widget takes the
    /// picture's size.  The empty picture clears the page and keeps the size.
    void setPicture(const Picture& picture);

signals:
    /// A paint put pixels of the picture on the widget.
    void pageDrawn(const velmora::Picture& picture);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paint(const QPaintEvent* event);
    QImage visibleImage(const QRect& visible);

    QPointer<QWidget> m_widget;
    DecodedPageCache& m_cache;
    Picture m_picture;
    QStringList m_printed;
    // The last partial decode, reused while repaints stay inside it.
    QImage m_partial;
    QRect m_partialRect;
};

} // namespace velmora
