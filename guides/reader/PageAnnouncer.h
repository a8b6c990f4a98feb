#pragma once

#include <QObject>
#include <QPointer>

class QLabel;
class QWidget;

namespace velmora {

/// What a screen reader gets of the page viewers: each is named after its
/// guide, and its description is the page counter's text as it reads now.
/// Only a change of the page shown is announced; the counter's count of
/// the pages arrived so far changes silently, or a guide's arrival would
/// be some two hundred announcements.
class PageAnnouncer : public QObject {
    Q_OBJECT
public:
    explicit PageAnnouncer(QLabel* counter, QObject* parent = nullptr);
    ~PageAnnouncer() override;

    /// Makes `viewport` (not owned) the viewer of the guide `guideName`.
    void addViewer(QWidget* viewport, const QString& guideName);
    /// Page `page` (0-based) is now shown on `viewport`: announced once the
    /// counter shows it, unless it is the page announced last.
    void pageShown(QWidget* viewport, int page);

    /// The counter `viewport` reads its description from; null for another widget.
    static QLabel* counterOf(const QObject* viewport);

signals:
    /// The turn to a page was announced on `viewport`.
    void announced(QWidget* viewport);

private:
    void announce();

    QPointer<QLabel> m_counter;
    QPointer<QWidget> m_shownViewer;
    int m_shownPage = -1;
    QPointer<QWidget> m_announcedViewer;
    int m_announcedPage = -1;
    bool m_pending = false;
};

} // namespace velmora
