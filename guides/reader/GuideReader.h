#pragma once

#include "DecodedPageCache.h"
#include "DefaultButton.h"
#include "FetchScheduler.h"
#include "FramePacer.h"
#include "GuideType.h"
#include "PageAnnouncer.h"
#include "PageStore.h"
#include "PageViewer.h"
#include "ReadingKeys.h"

#include "guides/PageReceiver.h"

#include <QObject>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;

namespace velmora {

class Form;

/// The guide reader of the main window, working on the controls of the
/// guide selection screen (`doors`, frame fraDoors) and the reading screen
/// (`guide`, frame fraGuide) by name: loading a guide, its page store, the
/// start of each fetch and its progress, the two page viewers, paging and
/// the go-to box.  It is the download client's receiver; the start of each
/// fetch and its display are its FetchScheduler's.  Pages arriving
/// from a fetch go into the store of the guide that fetch was started for,
/// whatever the selector shows by then.  The "here" link (Label9) is the
/// main window's own label beside the frames.  Controls missing from the
/// screens are skipped.
class GuideReader : public QObject, public PageReceiver {
    Q_OBJECT
public:
    GuideReader(const Form& doors, const Form& guide, QObject* parent = nullptr);
    ~GuideReader() override;

    // The download client's calls.
    void NumberOfPages(int lngTotalPages) override;
    void LoadPictureAtPage(int lngPageNumber, const Picture& picPage) override;

    /// Address of the group index the next fetch reads.
    QString GroupFileURL() const { return m_GroupFileURL; }
    void setGroupFileURL(const QString& url);
    /// The go-to range of the last "&Go!" (1 .. pages arrived).
    int MinLimit() const { return m_MinLimit; }
    int MaxLimit() const { return m_MaxLimit; }

    /// Fetches from `server` ("host[:port]") instead of the configured
    /// content server.
    void setContentServer(const QString& server) { m_contentServer = server; }
    /// The main window's layout on resize, which ends with
    /// AdjustScrollBars; without one, showing a page runs AdjustScrollBars alone.
    void setLayoutHook(std::function<void()> hook) { m_layoutHook = std::move(hook); }

    /// Page label and button states from the selected guide's store; one
    /// step on the progress bar.
    void RefreshPageControls();
    /// One enabled state for the First, Next, Previous, Last and Go buttons.
    void SetPageButtonsEnabled(bool enabled);
    /// Puts page m_PageIndex of the selected guide on its viewer.
    void ShowCurrentPage();
    /// The selected guide's scroll ranges from the sizes of page and viewport.
    void AdjustScrollBars();

    // State, for the owner and for tests.
    GuideType selectedGuide() const;
    int pageIndex() const { return m_PageIndex; }
    int totalPages() const { return m_TotalPages; }
    const PageStore& pages(GuideType type) const;
    double progressValue() const { return m_fetch.progressValue(); }
    frmDownload* downloader() const { return m_fetch.downloader(); }
    PageViewer* viewer(GuideType type) const;
    DecodedPageCache& decodedPages() { return m_cache; }

signals:
    /// Page `page` of the guide `type` has been stored by a fetch, before
    /// the page controls and the viewer follow.
    void pageStored(velmora::GuideType type, int page);

public slots:
    void cmbDocCategories_Click();
    void ButtonEx12_Click();
    void ButtonEx13_Click();
    void cmdReload_Click();
    void cmdFirstPage_Click();
    void cmdPrevPage_Click();
    void cmdNextPage_Click();
    void cmdLastPage_Click();
    void cmdGotoPage_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControls();
    PageStore& storeOf(GuideType type);
    /// The guide the arriving pages belong to.
    GuideType receivingGuide() const;
    /// Runs a paging button's move on the selected guide's store.
    void page(const std::function<void(const PageStore&)>& move);
    void selectGotoText();
    void txtGotoPage_Enter();
    void showViewerOf(GuideType type);
    void keepNeighboursDecoded();
    void runLayout();

    // Selection screen.
    QWidget* m_fraDoors = nullptr;
    QComboBox* m_cmbDocCategories = nullptr;
    QLabel* m_Label21 = nullptr;
    QWidget* m_Label17 = nullptr;
    QWidget* m_Shape3 = nullptr;
    QWidget* m_Label15 = nullptr;
    QWidget* m_Label18 = nullptr;
    QWidget* m_Label9 = nullptr;
    QWidget* m_ButtonEx12 = nullptr;
    // Reading screen.
    QWidget* m_fraGuide = nullptr;
    QLabel* m_Label14 = nullptr;
    // "Back to guides": its click is handled here, its enabled state is
    // the fetch scheduler's.
    QWidget* m_ButtonEx13 = nullptr;
    QWidget* m_picScrollArea = nullptr;
    QWidget* m_picJPEGViewer = nullptr;
    QWidget* m_picBuyer = nullptr;
    QWidget* m_picBuyerTwo = nullptr;
    QWidget* m_vsbScroll = nullptr;
    QWidget* m_vsBuyer = nullptr;
    QWidget* m_hsbScroll = nullptr;
    QWidget* m_cmdReload = nullptr;
    QWidget* m_cmdFirstPage = nullptr;
    QWidget* m_cmdPrevPage = nullptr;
    QWidget* m_cmdNextPage = nullptr;
    QWidget* m_cmdLastPage = nullptr;
    QWidget* m_cmdGotoPage = nullptr;
    QLabel* m_lblPageNumber = nullptr;
    QLineEdit* m_txtGotoPage = nullptr;

    DecodedPageCache m_cache;
    std::unique_ptr<PageViewer> m_coderViewer;
    std::unique_ptr<PageViewer> m_buyerViewer;
    std::unique_ptr<ReadingKeys> m_readingKeys;
    std::unique_ptr<PageAnnouncer> m_announcer;
    DefaultButton m_defaultButton;
    FetchScheduler m_fetch;
    // The fetch display and the paging row paint once a frame while pages
    // arrive faster than that.
    FramePacer m_pacer;

    PageStore m_CoderPages;
    PageStore m_BuyerPages;
    int m_TotalPages = 0;
    int m_PageIndex = 0;
    int m_MinLimit = 0;
    int m_MaxLimit = 0;
    QString m_GroupFileURL;
    // The guide GroupFileURL belongs to.
    GuideType m_groupFileGuide = GuideType::None;
    QString m_contentServer;
    std::function<void()> m_layoutHook;
};

} // namespace velmora
