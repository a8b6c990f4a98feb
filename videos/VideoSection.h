#pragma once

#include "DatabaseDriver.h"

#include "platform/Form.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace velmora {

class DataGateway;

/// The video section of the main window: loads its controls into the frame
/// it is given (fraVideo), keeps the kind selector, the hidden category
/// selectors and the video list filled from the content server, searches the
/// list as the user types and opens the player window for the chosen video.
/// The section's "E&xit" (ButtonEx8) and "Back to welcome" (ButtonEx9) are
/// left to the owner, which connects them through form().
class VideoSection : public QObject, private DatabaseDriver::Host {
    Q_OBJECT
public:
    explicit VideoSection(QWidget* fraVideo, QObject* parent = nullptr);
    ~VideoSection() override;

    /// The section's controls by name.
    const Form& form() const { return m_form; }
    /// The search field txtSearch.
    QWidget* searchBox() const;

    /// The main window's own "E&xit" button (ButtonEx1), which downloads
    /// disable together with the section's browsing controls.
    void setMainExitButton(QWidget* button);

    /// The main window's load step for this section: arms both one-shot
    /// flags, then selects the first kind ("Buyer") without loading a list.
    void resetForMainLoad();

    /// Refills both hidden category selectors from the server (Coder first,
    /// then Buyer); their selections reload the video list.
    void LoadVideoCategories();
    /// Fills the video list with the display names of the kind's "All"
    /// videos; a kind other than "Coder" or "Buyer" does nothing.
    void LoadVideoList(const QString& kind);
    /// Enables or disables the controls a running download must not see used.
    void enableControls(bool enableState) override;

    /// Reads the lists and player pages from `server` ("host[:port]")
    /// instead of the configured content server.
    void setContentServer(const QString& server);

    /// The text-download control the section's lists come through.
    DataGateway& gateway() const { return *m_gateway; }

public slots:
    // Event handlers, public so that the owner and tests can drive them.
    void cboVidCategories_Click();
    void cmbVideoCategories_Click();
    void cmdVideCategoriesCoder_Click();
    void txtSearch_Change();
    void ButtonEx7_Click();
    void lstVideos_DblClick();
    void btnHelp_Click();

private:
    void videoPicked();
    void showLoadingVideos() override;
    void reloadRequest(const QString& kind, bool& skipFlag);
    void categorySelected(const QString& kind, bool& skipFlag);
    bool showsOtherKind(const QString& kind) const;
    void fillCategorySelector(QComboBox* selector, const QString& kind);
    void selectRow(int row);
    void connectControls();

    Form m_form;
    QComboBox* m_cboVidCategories = nullptr;
    QComboBox* m_cmbVideoCategories = nullptr;
    QComboBox* m_cmdVideCategoriesCoder = nullptr;
    QListWidget* m_lstVideos = nullptr;
    QLineEdit* m_txtSearch = nullptr;
    QPointer<QWidget> m_mainExitButton;
    // The browsing control that had the keyboard focus when a download
    // disabled the controls; it gets the focus back afterwards.
    QPointer<QWidget> m_focusBeforeFetch;
    QString m_server;
    DataGateway* m_gateway = nullptr;
    std::unique_ptr<DatabaseDriver> m_driver;
    bool m_SkipBuyerListLoad = false;
    bool m_SkipCoderListLoad = false;
    // Counts LoadVideoList calls, so that a superseded one can tell.
    quint64 m_listGeneration = 0;
};

} // namespace velmora
