#include "PageAnnouncer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QLabel>
#include <QTimer>

namespace velmora {

namespace {

QHash<const QObject*, QPointer<QLabel>>& counters() {
    static QHash<const QObject*, QPointer<QLabel>> map;
    return map;
}

/// A page viewer as assistive technology sees it: the picture of a page.
class ViewerAccessible : public QAccessibleWidget {
public:
    explicit ViewerAccessible(QWidget* viewport)
        : QAccessibleWidget(viewport, QAccessible::Graphic) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Description)
            if (const QLabel* counter = PageAnnouncer::counterOf(object()))
                return counter->text();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* createInterface(const QString&, QObject* object) {
    if (auto* widget = qobject_cast<QWidget*>(object); widget && counters().contains(object))
        return new ViewerAccessible(widget);
    return nullptr;
}

} // namespace

PageAnnouncer::PageAnnouncer(QLabel* counter, QObject* parent)
    : QObject(parent), m_counter(counter) {
    static const bool installed = [] {
        QAccessible::installFactory(createInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

PageAnnouncer::~PageAnnouncer() {
    for (auto it = counters().begin(); it != counters().end();)
        it = it.value() == m_counter ? counters().erase(it) : std::next(it);
}

QLabel* PageAnnouncer::counterOf(const QObject* viewport) {
    return counters().value(viewport);
}

void PageAnnouncer::addViewer(QWidget* viewport, const QString& guideName) {
    if (!viewport)
        return;
    counters().insert(viewport, m_counter);
    connect(viewport, &QObject::destroyed, this, [](QObject* gone) { counters().remove(gone); });
    viewport->setAccessibleName(guideName);
}

void PageAnnouncer::pageShown(QWidget* viewport, int page) {
    m_shownViewer = viewport;
    m_shownPage = page;
    // The counter is refreshed after the page is put up.
    if (!m_pending) {
        m_pending = true;
        QTimer::singleShot(0, this, &PageAnnouncer::announce);
    }
}

void PageAnnouncer::announce() {
    m_pending = false;
    if (!m_shownViewer || (m_shownViewer == m_announcedViewer && m_shownPage == m_announcedPage))
        return;
    m_announcedViewer = m_shownViewer;
    m_announcedPage = m_shownPage;
    QAccessibleEvent event(m_shownViewer.data(), QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
    emit announced(m_announcedViewer);
}

} // namespace velmora
