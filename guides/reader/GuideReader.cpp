#include "GuideReader.h"

#include "GotoPageInput.h"
#include "SelectAllOnFocus.h"

#include "guides/DownloadUrl.h"
#include "guides/GuideGlobals.h"
#include "platform/Configuration.h"
#include "platform/ControlEvents.h"
#include "platform/Form.h"
#include "platform/MessageBoxService.h"
#include "platform/Yield.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <utility>

namespace velmora {

namespace {

const QString kLoadingText = QStringLiteral("Loading page. Please wait...");

void setBarValue(QWidget* bar, int value) {
    if (auto* scrollBar = qobject_cast<QScrollBar*>(bar))
        scrollBar->setValue(value);
}

void focus(QWidget* control) {
    if (control)
        control->setFocus(Qt::OtherFocusReason);
}

// A control of the main window itself, beside the frame `frame`.
QWidget* mainWindowControl(QWidget* frame, const QString& name) {
    QWidget* window = frame ? frame->parentWidget() : nullptr;
    return window ? window->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly) : nullptr;
}

bool& fetchedFlag(GuideType type) {
    return type == GuideType::Coder ? g_CoderFetched : g_BuyerFetched;
}

} // namespace

GuideReader::GuideReader(const Form& doors, const Form& guide, QObject* parent)
    : QObject(parent), m_fraDoors(doors.root()),
      m_cmbDocCategories(doors.control<QComboBox>(QStringLiteral("cmbDocCategories"))),
      m_Label21(doors.control<QLabel>(QStringLiteral("Label21"))),
      m_Label17(doors.control(QStringLiteral("Label17"))),
      m_Shape3(doors.control(QStringLiteral("Shape3"))),
      m_Label15(doors.control(QStringLiteral("Label15"))),
      m_Label18(doors.control(QStringLiteral("Label18"))),
      m_Label9(mainWindowControl(doors.root(), QStringLiteral("Label9"))),
      m_ButtonEx12(doors.control(QStringLiteral("ButtonEx12"))), m_fraGuide(guide.root()),
      m_Label14(guide.control<QLabel>(QStringLiteral("Label14"))),
      m_ButtonEx13(guide.control(QStringLiteral("ButtonEx13"))),
      m_picScrollArea(guide.control(QStringLiteral("picScrollArea"))),
      m_picJPEGViewer(guide.control(QStringLiteral("picJPEGViewer"))),
      m_picBuyer(guide.control(QStringLiteral("picBuyer"))),
      m_picBuyerTwo(guide.control(QStringLiteral("picBuyerTwo"))),
      m_vsbScroll(guide.control(QStringLiteral("vsbScroll"))),
      m_vsBuyer(guide.control(QStringLiteral("vsBuyer"))),
      m_hsbScroll(guide.control(QStringLiteral("hsbScroll"))),
      m_cmdReload(guide.control(QStringLiteral("cmdReload"))),
      m_cmdFirstPage(guide.control(QStringLiteral("cmdFirstPage"))),
      m_cmdPrevPage(guide.control(QStringLiteral("cmdPrevPage"))),
      m_cmdNextPage(guide.control(QStringLiteral("cmdNextPage"))),
      m_cmdLastPage(guide.control(QStringLiteral("cmdLastPage"))),
      m_cmdGotoPage(guide.control(QStringLiteral("cmdGotoPage"))),
      m_lblPageNumber(guide.control<QLabel>(QStringLiteral("lblPageNumber"))),
      m_txtGotoPage(guide.control<QLineEdit>(QStringLiteral("txtGotoPage"))),
      m_defaultButton(guide.root()), m_fetch(guide, *this),
      m_contentServer(Configuration::current().contentServer) {
    m_coderViewer = std::make_unique<PageViewer>(m_picScrollArea, m_picJPEGViewer,
                                                 qobject_cast<QScrollBar*>(m_hsbScroll),
                                                 qobject_cast<QScrollBar*>(m_vsbScroll), m_cache);
    // The Buyer viewer has no horizontal bar of its own: wide pages are clipped.
    m_buyerViewer = std::make_unique<PageViewer>(m_picBuyer, m_picBuyerTwo, nullptr,
                                                 qobject_cast<QScrollBar*>(m_vsBuyer), m_cache);
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
    m_announcer->addViewer(m_picScrollArea, QStringLiteral("Coder's Guide"));
    m_announcer->addViewer(m_picBuyer, QStringLiteral("Buyer's Guide"));
    connectControls();
}

GuideReader::~GuideReader() = default;

void GuideReader::connectControls() {
    if (m_cmbDocCategories)
        connect(m_cmbDocCategories, &QComboBox::activated, this,
                &GuideReader::cmbDocCategories_Click);
    bindClick(m_ButtonEx12, this, SLOT(ButtonEx12_Click()));
    bindClick(m_ButtonEx13, this, SLOT(ButtonEx13_Click()));
    bindClick(m_cmdReload, this, SLOT(cmdReload_Click()));
    bindClick(m_cmdFirstPage, this, SLOT(cmdFirstPage_Click()));
    bindClick(m_cmdPrevPage, this, SLOT(cmdPrevPage_Click()));
    bindClick(m_cmdNextPage, this, SLOT(cmdNextPage_Click()));
    bindClick(m_cmdLastPage, this, SLOT(cmdLastPage_Click()));
    bindClick(m_cmdGotoPage, this, SLOT(cmdGotoPage_Click()));
    if (m_txtGotoPage) {
        new SelectAllOnFocus(m_txtGotoPage);
        m_txtGotoPage->installEventFilter(this);
    }
}

void GuideReader::setGroupFileURL(const QString& url) {
    m_GroupFileURL = url;
    m_groupFileGuide = GuideType::None;
}

GuideType GuideReader::selectedGuide() const {
    return m_cmbDocCategories ? guideTypeFromText(m_cmbDocCategories->currentText())
                              : GuideType::None;
}

const PageStore& GuideReader::pages(GuideType type) const {
    return type == GuideType::Buyer ? m_BuyerPages : m_CoderPages;
}

PageStore& GuideReader::storeOf(GuideType type) {
    return const_cast<PageStore&>(std::as_const(*this).pages(type));
}

PageViewer* GuideReader::viewer(GuideType type) const {
    switch (type) {
    case GuideType::Coder:
        return m_coderViewer.get();
    case GuideType::Buyer:
        return m_buyerViewer.get();
    case GuideType::None:
        break;
    }
    return nullptr;
}

// ---- The download client's calls -------------------------------------

GuideType GuideReader::receivingGuide() const {
    // The fetch's own guide: the selector may show the other one by now.
    const GuideType fetching = m_fetch.fetchGuide();
    return fetching != GuideType::None ? fetching : selectedGuide();
}

void GuideReader::NumberOfPages(int lngTotalPages) {
    m_pacer.hold();
    const GuideType type = receivingGuide();
    if (type != GuideType::None) {
        storeOf(type).clear();
        m_TotalPages = lngTotalPages;
    }
    m_fetch.progressToMinimum();
}

void GuideReader::LoadPictureAtPage(int lngPageNumber, const Picture& picPage) {
    m_pacer.hold();
    const GuideType type = receivingGuide();
    if (type != GuideType::None && storeOf(type).store(lngPageNumber, picPage)) {
        emit pageStored(type, lngPageNumber);
        RefreshPageControls();
        // Only the guide on the viewer shows its arrivals.
        if (type == selectedGuide()) {
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

// ---- Selection screen -------------------------------------------------

void GuideReader::cmbDocCategories_Click() {
    const QString text = m_cmbDocCategories ? m_cmbDocCategories->currentText() : QString();
    if (m_Label21)
        m_Label21->setText(QStringLiteral("Currently selected: ") + text +
                           QStringLiteral("'s Guide"));
    setShown(m_Label17, true);
    setShown(m_Shape3, true);
    const GuideType type = guideTypeFromText(text);
    if (type == GuideType::None)
        return;
    setShown(m_Label18, type == GuideType::Coder);
    setShown(m_Label15, type == GuideType::Buyer);
    setShown(m_Label9, type == GuideType::Buyer);
}

void GuideReader::ButtonEx12_Click() {
    m_PageIndex = 0;
    m_fetch.resetProgress();
    const QString text = m_cmbDocCategories ? m_cmbDocCategories->currentText() : QString();
    if (text.isEmpty()) {
        showMessage(QStringLiteral("Please select a guide type from the list."),
                    QStringLiteral("Guide type..."), QMessageBox::Information, QMessageBox::Ok,
                    m_fraDoors ? m_fraDoors->window() : nullptr);
        focus(m_cmbDocCategories);
        return;
    }
    const GuideType type = guideTypeFromText(text);

    if (m_fraDoors)
        m_fraDoors->lower();
    if (m_fraGuide) {
        if (m_fraDoors)
            m_fraGuide->setGeometry(m_fraDoors->geometry());
        m_fraGuide->show();
    }
    if (m_Label14)
        m_Label14->setText(QStringLiteral("Currently viewing: ") + text +
                           QStringLiteral("'s Guide"));
    m_defaultButton.setButton(m_cmdGotoPage);
    showViewerOf(type);

    if (type != GuideType::None && fetchedFlag(type)) {
        if (m_txtGotoPage)
            m_txtGotoPage->setText(QStringLiteral("1"));
        cmdGotoPage_Click();
        m_fetch.setRunning(false);
    } else {
        m_fetch.setRunning(true);
        if (type != GuideType::None) {
            m_GroupFileURL = groupFileUrlFor(type, m_contentServer);
            m_groupFileGuide = type;
            fetchedFlag(type) = true;
        }
        for (PageViewer* each : {m_coderViewer.get(), m_buyerViewer.get()}) {
            each->surface().cls();
            each->surface().print(kLoadingText);
        }
        if (m_txtGotoPage)
            m_txtGotoPage->setText(QStringLiteral("1"));
        cmdGotoPage_Click();
        RefreshPageControls();
        if (IsHttpUrl(m_GroupFileURL))
            m_fetch.arm(m_GroupFileURL, m_groupFileGuide);
    }

    const QPointer<GuideReader> alive(this);
    yieldEvents(6);
    if (alive)
        focus(m_cmdFirstPage);
}

void GuideReader::ButtonEx13_Click() {
    if (m_fraDoors)
        m_fraDoors->raise();
}

// ---- "&Reload" -----------------------------------------------------------

void GuideReader::cmdReload_Click() {
    // "Back to guides" goes off first; the Load below shows the display.
    m_fetch.setRunning(true);
    m_PageIndex = 0;
    if (m_txtGotoPage)
        m_txtGotoPage->setText(QStringLiteral("1"));
    cmdGotoPage_Click();
    const GuideType type = selectedGuide();
    if (type != GuideType::None) {
        // Only the guide's own surface stays, empty, for the "Loading" text.
        PageViewer* own = viewer(type);
        PageViewer* other = viewer(type == GuideType::Coder ? GuideType::Buyer : GuideType::Coder);
        setShown(own->viewport(), false);
        setShown(own->surface().widget(), true);
        own->surface().cls();
        own->surface().setPicture(Picture());
        setShown(other->viewport(), false);
        setShown(other->surface().widget(), false);
        setShown(m_vsbScroll, false);
        setShown(m_vsBuyer, false);
        fetchedFlag(type) = false;
    }
    ButtonEx12_Click();
}

// ---- Page viewer and navigation --------------------------------------

void GuideReader::RefreshPageControls() {
    const GuideType type = selectedGuide();
    if (type == GuideType::None)
        return;
    const PageStore& store = pages(type);
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
    const GuideType type = selectedGuide();
    if (type == GuideType::None || !pages(type).hasBounds())
        return;
    PageSurface& surface = viewer(type)->surface();
    if (QWidget* widget = surface.widget()) {
        widget->hide();
        widget->setGeometry(0, 0, 0, 0);
    }
    setBarValue(m_hsbScroll, 0);
    setBarValue(type == GuideType::Coder ? m_vsbScroll : m_vsBuyer, 0);
    // A page the store does not reach (yet) leaves the surface empty.
    if (pages(type).contains(m_PageIndex))
        surface.setPicture(pages(type).at(m_PageIndex));
    setShown(surface.widget(), true);
    runLayout();
    m_announcer->pageShown(viewer(type)->viewport(), m_PageIndex);
    keepNeighboursDecoded();
}

void GuideReader::AdjustScrollBars() {
    const GuideType type = selectedGuide();
    if (type == GuideType::None)
        return;
    viewer(type)->adjustBars(type == GuideType::Coder);
    showViewerOf(type);
}

void GuideReader::showViewerOf(GuideType type) {
    if (type == GuideType::None)
        return;
    const bool coder = type == GuideType::Coder;
    for (QWidget* control : {m_picScrollArea, m_picJPEGViewer, m_vsbScroll})
        setShown(control, coder);
    for (QWidget* control : {m_picBuyer, m_picBuyerTwo, m_vsBuyer})
        setShown(control, !coder);
}

void GuideReader::keepNeighboursDecoded() {
    const GuideType type = selectedGuide();
    if (type == GuideType::None)
        return;
    const PageStore& store = pages(type);
    // The page shown first, then the one a reader most likely turns to.
    m_cache.keep({store.at(m_PageIndex), store.at(m_PageIndex + 1), store.at(m_PageIndex - 1)});
}

void GuideReader::runLayout() {
    if (m_layoutHook)
        m_layoutHook();
    else
        AdjustScrollBars();
}

void GuideReader::page(const std::function<void(const PageStore&)>& move) {
    const GuideType type = selectedGuide();
    if (type != GuideType::None && pages(type).hasBounds()) {
        move(pages(type));
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

void GuideReader::cmdGotoPage_Click() {
    const GuideType type = selectedGuide();
    if (type == GuideType::None || !pages(type).hasBounds()) {
        selectGotoText();
        return;
    }
    m_MinLimit = 1;
    m_MaxLimit = pages(type).upperBound() + 1;
    QWidget* window = m_fraGuide ? m_fraGuide->window() : nullptr;
    const QString text = m_txtGotoPage ? m_txtGotoPage->text() : QString();
    const std::optional<long long> number = GotoPageInput::pageNumber(text);
    if (!number) {
        if (type == GuideType::Coder)
            showMessage(QStringLiteral("Invalid page number. Please enter a numeric value."),
                        QStringLiteral("Invalid input..."), QMessageBox::Warning, QMessageBox::Ok,
                        window);
        else
            showMessage(QStringLiteral("Please enter numeric value."),
                        QStringLiteral("Invalid Input"), QMessageBox::Warning, QMessageBox::Ok,
                        window);
        focus(m_txtGotoPage);
        selectGotoText();
        return;
    }
    if (*number < m_MinLimit || *number > m_MaxLimit) {
        showMessage(QStringLiteral("Available pages are from %1 to %2. Please enter value "
                                   "within this range.")
                        .arg(m_MinLimit)
                        .arg(m_MaxLimit),
                    QStringLiteral("Invalid Input"), QMessageBox::Warning, QMessageBox::Ok, window);
        focus(m_txtGotoPage);
        if (m_txtGotoPage)
            m_txtGotoPage->setText(QStringLiteral("1"));
        cmdGotoPage_Click();
        selectGotoText();
        return;
    }
    m_PageIndex = int(*number) - 1;
    ShowCurrentPage();
    RefreshPageControls();
    selectGotoText();
}

void GuideReader::selectGotoText() {
    if (m_txtGotoPage)
        m_txtGotoPage->selectAll();
}

void GuideReader::txtGotoPage_Enter() {
    // "&Go!" is pressed as the default button; then the box is ready for
    // the next number.
    m_defaultButton.press();
    const QPointer<GuideReader> alive(this);
    yieldEvents(3);
    if (!alive)
        return;
    focus(m_txtGotoPage);
    selectGotoText();
}

bool GuideReader::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_txtGotoPage)
        return false;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            txtGotoPage_Enter();
            return true;
        }
    }
    return false;
}

} // namespace velmora
