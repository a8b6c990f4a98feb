#include "GuideReader.h"

#include "GotoPageInput.h"

#include "guides/core/DownloadUrl.h"
#include "platform/Configuration.h"
#include "platform/ControlEvents.h"
#include "platform/Form.h"
#include "platform/Twips.h"
#include "platform/Yield.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>

namespace velmora {

namespace {

const QString kLoadingText = QStringLiteral("Loading page. Please wait...");

// Each guide's viewer on the reading screen, by control name.
struct ViewerControls {
    GuideType type;
    const char* viewport;
    const char* surface;
    const char* horizontalBar;
    const char* verticalBar;
};

// The Buyer viewer has no horizontal bar of its own: wide pages are clipped.
const ViewerControls kViewerControls[] = {
    {GuideType::Coder, "picScrollArea", "picJPEGViewer", "hsbScroll", "vsbScroll"},
    {GuideType::Buyer, "picBuyer", "picBuyerTwo", nullptr, "vsBuyer"},
};

void setBarValue(QScrollBar* bar, int value) {
    if (bar)
        bar->setValue(value);
}

const PageStore kNoPages;

} // namespace

GuideReader::GuideReader(const Form& doors, const Form& guide, QObject* parent)
    : QObject(parent), m_fraGuide(guide.root()),
      m_Label14(guide.control<QLabel>(QStringLiteral("Label14"))),
      m_cmdFirstPage(guide.control(QStringLiteral("cmdFirstPage"))),
      m_cmdPrevPage(guide.control(QStringLiteral("cmdPrevPage"))),
      m_cmdNextPage(guide.control(QStringLiteral("cmdNextPage"))),
      m_cmdLastPage(guide.control(QStringLiteral("cmdLastPage"))),
      m_cmdGotoPage(guide.control(QStringLiteral("cmdGotoPage"))),
      m_lblPageNumber(guide.control<QLabel>(QStringLiteral("lblPageNumber"))), m_selection(doors),
      m_defaultButton(guide.root()),
      m_goto(guide.control<QLineEdit>(QStringLiteral("txtGotoPage")), m_defaultButton),
      m_fetch(guide, *this), m_contentServer(Configuration::current().contentServer) {
    bindViewers(guide);
    m_readingKeys = std::make_unique<ReadingKeys>(
        m_fraGuide,
        ReadingKeys::Buttons{m_cmdFirstPage, m_cmdPrevPage, m_cmdNextPage, m_cmdLastPage}, [this] {
            const PageViewer* shown = viewer(selectedGuide());
            return shown ? std::pair(shown->verticalBar(), shown->horizontalBar())
                         : std::pair<QScrollBar*, QScrollBar*>();
        });
    m_pacer.setControls({guide.control(QStringLiteral("prgFetching")), m_lblPageNumber,
                         m_cmdFirstPage, m_cmdPrevPage, m_cmdNextPage, m_cmdLastPage,
                         m_cmdGotoPage});
    m_announcer = std::make_unique<PageAnnouncer>(m_lblPageNumber);
    // A screen reader hears the guide's name, "Coder's Guide" or "Buyer's Guide".
    for (const Guide& each : m_guides)
        m_announcer->addViewer(each.viewer->viewport(),
                               kindText(each.type) + QStringLiteral("'s Guide"));
    connectControls(guide);
}

GuideReader::~GuideReader() = default;

void GuideReader::bindViewers(const Form& guide) {
    const auto bar = [&guide](const char* name) {
        return name ? guide.control<QScrollBar>(QLatin1String(name)) : nullptr;
    };
    for (const ViewerControls& names : kViewerControls) {
        m_viewers.push_back(std::make_unique<PageViewer>(
            guide.control(QLatin1String(names.viewport)),
            guide.control(QLatin1String(names.surface)), bar(names.horizontalBar),
            bar(names.verticalBar), m_cache));
        m_guides.find(names.type)->viewer = m_viewers.back().get();
    }
}

void GuideReader::connectControls(const Form& guide) {
    bindClick(m_selection.loadButton(), this, SLOT(ButtonEx12_Click()));
    bindClick(guide.control(QStringLiteral("ButtonEx13")), this, SLOT(ButtonEx13_Click()));
    bindClick(guide.control(QStringLiteral("cmdReload")), this, SLOT(cmdReload_Click()));
    bindClick(m_cmdFirstPage, this, SLOT(cmdFirstPage_Click()));
    bindClick(m_cmdPrevPage, this, SLOT(cmdPrevPage_Click()));
    bindClick(m_cmdNextPage, this, SLOT(cmdNextPage_Click()));
    bindClick(m_cmdLastPage, this, SLOT(cmdLastPage_Click()));
    bindClick(m_cmdGotoPage, this, SLOT(cmdGotoPage_Click()));
}

void GuideReader::setGroupFileURL(const QString& url) {
    m_GroupFileURL = url;
    m_groupFileGuide = GuideType::None;
}

void GuideReader::resetForMainLoad() {
    for (Guide& guide : m_guides)
        guide.fetched = false;
    m_goto.setText(QStringLiteral("1"));
}

const PageStore& GuideReader::pages(GuideType type) const {
    const Guide* guide = m_guides.find(type);
    return guide ? guide->pages : kNoPages;
}

PageViewer* GuideReader::viewer(GuideType type) const {
    const Guide* guide = m_guides.find(type);
    return guide ? guide->viewer : nullptr;
}

// ---- The download client's calls -------------------------------------

GuideType GuideReader::receivingGuide() const {
    // The fetch's own guide: the selector may show the other one by now.
    const GuideType fetching = m_fetch.fetchGuide();
    return fetching != GuideType::None ? fetching : selectedGuide();
}

void GuideReader::NumberOfPages(int lngTotalPages) {
    m_pacer.hold();
    if (Guide* guide = m_guides.find(receivingGuide())) {
        guide->pages.clear();
        m_TotalPages = lngTotalPages;
    }
    m_fetch.progressToMinimum();
}

void GuideReader::LoadPictureAtPage(int lngPageNumber, const Picture& picPage) {
    m_pacer.hold();
    Guide* guide = m_guides.find(receivingGuide());
    if (guide && guide->pages.store(lngPageNumber, picPage)) {
        emit pageStored(guide->type, lngPageNumber);
        RefreshPageControls();
        // Only the guide on the viewer shows its arrivals.
        if (guide->type == selectedGuide()) {
            if (lngPageNumber == m_PageIndex)
                ShowCurrentPage();
            else if (qAbs(lngPageNumber - m_PageIndex) == 1)
                keepNeighboursDecoded();
        }
        m_fetch.pageArrived(lngPageNumber, m_TotalPages);
    }
    if (m_TotalPages == lngPageNumber + 1)
        m_fetch.setRunning(false);
}

// ---- "&Load" and "&Reload" ----------------------------------------------

void GuideReader::ButtonEx12_Click() {
    m_PageIndex = 0;
    m_fetch.resetProgress();
    const QString text = m_selection.selectedText();
    if (text.isEmpty()) {
        m_selection.askForGuide();
        return;
    }
    const GuideType type = guideTypeFromText(text);

    m_selection.coverWith(m_fraGuide);
    if (m_Label14)
        m_Label14->setText(QStringLiteral("Currently viewing: ") + text +
                           QStringLiteral("'s Guide"));
    m_defaultButton.setButton(m_cmdGotoPage);
    showViewerOf(type);

    Guide* guide = m_guides.find(type);
    if (guide && guide->fetched) {
        goToPageOne();
        m_fetch.setRunning(false);
    } else {
        m_fetch.setRunning(true);
        if (guide) {
            m_GroupFileURL = groupFileUrlFor(type, m_contentServer);
            m_groupFileGuide = type;
            guide->fetched = true;
        }
        for (const Guide& each : m_guides) {
            each.viewer->surface().cls();
            each.viewer->surface().print(kLoadingText);
        }
        goToPageOne();
        RefreshPageControls();
        if (IsHttpUrl(m_GroupFileURL))
            m_fetch.arm(m_GroupFileURL, m_groupFileGuide);
    }

    const QPointer<GuideReader> alive(this);
    yieldEvents(6);
    if (alive && m_cmdFirstPage)
        m_cmdFirstPage->setFocus(Qt::OtherFocusReason);
}

void GuideReader::cmdReload_Click() {
    // "Back to guides" goes off first; the Load below shows the display.
    m_fetch.setRunning(true);
    m_PageIndex = 0;
    goToPageOne();
    if (Guide* reloaded = selected()) {
        // Only the guide's own surface stays, empty, for the "Loading" text.
        for (const Guide& each : m_guides) {
            setShown(each.viewer->viewport(), false);
            setShown(each.viewer->surface().widget(), &each == reloaded);
            setShown(each.viewer->verticalBar(), false);
        }
        reloaded->viewer->surface().cls();
        reloaded->viewer->surface().setPicture(Picture());
        reloaded->fetched = false;
    }
    ButtonEx12_Click();
}

// ---- Page viewer and navigation --------------------------------------

void GuideReader::RefreshPageControls() {
    const Guide* guide = selected();
    if (!guide)
        return;
    const PageStore& store = guide->pages;
    if (!store.hasBounds()) {
        SetPageButtonsEnabled(false);
        if (m_lblPageNumber)
            m_lblPageNumber->setText(QStringLiteral("0/0"));
    } else {
        setButtonEnabled(m_cmdGotoPage, true);
        setButtonEnabled(m_cmdFirstPage, true);
        setButtonEnabled(m_cmdLastPage, true);
        setButtonEnabled(m_cmdPrevPage, m_PageIndex != 0);
        setButtonEnabled(m_cmdNextPage, m_PageIndex != store.upperBound());
        if (m_lblPageNumber)
            m_lblPageNumber->setText(
                QStringLiteral("Page %1/%2").arg(m_PageIndex + 1).arg(store.upperBound() + 1));
    }
    m_fetch.progressStep();
}

void GuideReader::SetPageButtonsEnabled(bool enabled) {
    for (QWidget* button :
         {m_cmdFirstPage, m_cmdNextPage, m_cmdPrevPage, m_cmdLastPage, m_cmdGotoPage})
        setButtonEnabled(button, enabled);
}

void GuideReader::ShowCurrentPage() {
    const Guide* guide = selected();
    if (!guide || !guide->pages.hasBounds())
        return;
    PageViewer& viewer = *guide->viewer;
    PageSurface& surface = viewer.surface();
    if (QWidget* widget = surface.widget()) {
        widget->hide();
        widget->setGeometry(0, 0, 0, 0);
    }
    // The screen's one horizontal bar goes back too, whichever guide is shown.
    for (const Guide& each : m_guides)
        setBarValue(each.viewer->horizontalBar(), 0);
    setBarValue(viewer.verticalBar(), 0);
    // A page the store does not reach (yet) leaves the surface empty.
    if (guide->pages.contains(m_PageIndex))
        surface.setPicture(guide->pages.at(m_PageIndex));
    setShown(surface.widget(), true);
    runLayout();
    m_announcer->pageShown(viewer.viewport(), m_PageIndex);
    keepNeighboursDecoded();
}

void GuideReader::AdjustScrollBars() {
    const Guide* guide = selected();
    if (!guide)
        return;
    guide->viewer->adjustBars(guide->viewer->horizontalBar() != nullptr);
    showViewerOf(guide->type);
}

void GuideReader::showViewerOf(GuideType type) {
    if (type == GuideType::None)
        return;
    for (const Guide& each : m_guides)
        for (QWidget* control : {each.viewer->viewport(), each.viewer->surface().widget(),
                                 static_cast<QWidget*>(each.viewer->verticalBar())})
            setShown(control, each.type == type);
}

void GuideReader::keepNeighboursDecoded() {
    const Guide* guide = selected();
    if (!guide)
        return;
    const PageStore& store = guide->pages;
    // The page shown first, then the one a reader most likely turns to.
    m_cache.keep({store.at(m_PageIndex), store.at(m_PageIndex + 1), store.at(m_PageIndex - 1)});
}

void GuideReader::layoutViewers(int windowWidthTwips) {
    for (const Guide& each : m_guides)
        each.viewer->fitToWindow(windowWidthTwips);
    AdjustScrollBars();
}

void GuideReader::runLayout() {
    // The viewers follow the width of the window that holds the screen.
    if (QWidget* window = m_fraGuide ? m_fraGuide->window() : nullptr)
        layoutViewers(pixelsToTwips(window->width()));
    else
        AdjustScrollBars();
}

void GuideReader::page(const std::function<void(const PageStore&)>& move) {
    const Guide* guide = selected();
    if (guide && guide->pages.hasBounds()) {
        move(guide->pages);
        ShowCurrentPage();
    }
    RefreshPageControls();
}

void GuideReader::cmdFirstPage_Click() {
    page([this](const PageStore&) { m_PageIndex = 0; });
}

void GuideReader::cmdPrevPage_Click() {
    page([this](const PageStore&) {
        if (m_PageIndex > 0)
            --m_PageIndex;
    });
}

void GuideReader::cmdNextPage_Click() {
    page([this](const PageStore& store) {
        if (m_PageIndex < store.upperBound())
            ++m_PageIndex;
    });
}

void GuideReader::cmdLastPage_Click() {
    page([this](const PageStore& store) { m_PageIndex = store.upperBound(); });
}

void GuideReader::goToPageOne() {
    m_goto.setText(QStringLiteral("1"));
    cmdGotoPage_Click();
}

void GuideReader::cmdGotoPage_Click() {
    const Guide* guide = selected();
    if (!guide || !guide->pages.hasBounds()) {
        m_goto.selectAll();
        return;
    }
    m_MinLimit = 1;
    m_MaxLimit = guide->pages.upperBound() + 1;
    const std::optional<long long> number = GotoPageInput::pageNumber(m_goto.text());
    if (!number) {
        m_goto.refuseText(guide->type);
        return;
    }
    if (*number < m_MinLimit || *number > m_MaxLimit) {
        m_goto.refuseRange(m_MinLimit, m_MaxLimit);
        goToPageOne();
        m_goto.selectAll();
        return;
    }
    m_PageIndex = int(*number) - 1;
    ShowCurrentPage();
    RefreshPageControls();
    m_goto.selectAll();
}

} // namespace velmora
