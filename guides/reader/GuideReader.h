#pragma once

#include "DecodedPageCache.h"
#include "DefaultButton.h"
#include "FetchScheduler.h"
#include "FramePacer.h"
#include "GotoBox.h"
#include "Guide.h"
#include "PageAnnouncer.h"
#include "PageViewer.h"
#include "ReadingKeys.h"
#include "SelectionScreen.h"

#include "guides/core/PageReceiver.h"

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class QLabel;

namespace velmora {

class Form;

/// The guide reader of the main window: binds each guide to its viewer on
/// the reading screen (`guide`, frame fraGuide) and works the screen by
/// control name: loading a guide from the selection screen (`doors`, frame
/// fraDoors), its page store, the start of each fetch and its progress,
/// paging and the go-to box.  It is the download client's receiver; the
/// start of each fetch and its display are its FetchScheduler's.  Pages
/// arriving from a fetch go into the store of the guide that fetch was
/// started for, whatever the selector shows by then.  Controls missing
/// from the screens are skipped.
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

    /// The main window's load step: neither guide counts as fetched, and
    /// the go-to box reads "1".
    void resetForMainLoad();
    /// Page label and button states from the selected guide's store; one
    /// step on the progress bar.
    void RefreshPageControls();
    /// One enabled state for the First, Next, Previous, Last and Go buttons.
    void SetPageButtonsEnabled(bool enabled);
    /// Puts page m_PageIndex of the selected guide on its viewer.
    void ShowCurrentPage();
    /// The selected guide's scroll ranges from the sizes of page and viewport.
    void AdjustScrollBars();
    /// Fits both viewers to a main window `windowWidthTwips` wide (see
    /// PageViewer::fitToWindow), then AdjustScrollBars.
    void layoutViewers(int windowWidthTwips);

    // State, for the owner and for tests.
    const Guides& guides() const { return m_guides; }
    SelectionScreen& selection() { return m_selection; }
    GuideType selectedGuide() const { return m_selection.selectedGuide(); }
    int pageIndex() const { return m_PageIndex; }
    int totalPages() const { return m_TotalPages; }
    /// The store of `type`; an empty one for None.
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
    void cmbDocCategories_Click() { m_selection.cmbDocCategories_Click(); }
    void ButtonEx12_Click();
    void ButtonEx13_Click() { m_selection.bringToFront(); }
    void cmdReload_Click();
    void cmdFirstPage_Click();
    void cmdPrevPage_Click();
    void cmdNextPage_Click();
    void cmdLastPage_Click();
    void cmdGotoPage_Click();

private:
    void bindViewers(const Form& guide);
    void connectControls(const Form& guide);
    Guide* selected() { return m_guides.find(selectedGuide()); }
    /// The guide the arriving pages belong to.
    GuideType receivingGuide() const;
    /// Runs a paging button's move on the selected guide's store.
    void page(const std::function<void(const PageStore&)>& move);
    /// "1" in the go-to box, then "&Go!".
    void goToPageOne();
    void showViewerOf(GuideType type);
    void keepNeighboursDecoded();
    void runLayout();

    QWidget* m_fraGuide = nullptr;
    QLabel* m_Label14 = nullptr;
    QWidget* m_cmdFirstPage = nullptr;
    QWidget* m_cmdPrevPage = nullptr;
    QWidget* m_cmdNextPage = nullptr;
    QWidget* m_cmdLastPage = nullptr;
    QWidget* m_cmdGotoPage = nullptr;
    QLabel* m_lblPageNumber = nullptr;

    Guides m_guides;
    DecodedPageCache m_cache;
    std::vector<std::unique_ptr<PageViewer>> m_viewers;
    SelectionScreen m_selection;
    DefaultButton m_defaultButton;
    GotoBox m_goto;
    std::unique_ptr<ReadingKeys> m_readingKeys;
    std::unique_ptr<PageAnnouncer> m_announcer;
    FetchScheduler m_fetch;
    // The fetch display and the paging row paint once a frame while pages
    // arrive faster than that.
    FramePacer m_pacer;

    int m_TotalPages = 0;
    int m_PageIndex = 0;
    int m_MinLimit = 0;
    int m_MaxLimit = 0;
    QString m_GroupFileURL;
    // The guide GroupFileURL belongs to.
    GuideType m_groupFileGuide = GuideType::None;
    QString m_contentServer;
};

} // namespace velmora
