#include "VideoSection.h"

#include "DataGateway.h"
#include "VideoGlobals.h"
#include "VideoListFile.h"
#include "frmPlayVideos.h"

#include "platform/BrowserFactory.h"
#include "platform/Configuration.h"
#include "platform/ControlEvents.h"
#include "platform/FormLoader.h"
#include "platform/Kind.h"
#include "platform/MessageBoxService.h"
#include "platform/Yield.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>

namespace velmora {

namespace {

const QString kLoadingVideos = QStringLiteral("Loading videos...");

} // namespace

VideoSection::VideoSection(QWidget* fraVideo, QObject* parent)
    : QObject(parent), m_form(FormLoader::load(QStringLiteral(":/forms/fraVideo.json"), fraVideo)),
      m_cboVidCategories(m_form.control<QComboBox>(QStringLiteral("cboVidCategories"))),
      m_cmbVideoCategories(m_form.control<QComboBox>(QStringLiteral("cmbVideoCategories"))),
      m_cmdVideCategoriesCoder(m_form.control<QComboBox>(QStringLiteral("cmdVideCategoriesCoder"))),
      m_lstVideos(m_form.control<QListWidget>(QStringLiteral("lstVideos"))),
      m_txtSearch(m_form.control<QLineEdit>(QStringLiteral("txtSearch"))),
      m_server(Configuration::current().contentServer), m_gateway(new DataGateway(this)),
      m_driver(std::make_unique<DatabaseDriver>(*m_gateway, static_cast<Host&>(*this), m_server)) {
    // Every line is one line of text in the list's font; without this the
    // view measures each of thousands of lines on its first layout.
    m_lstVideos->setUniformItemSizes(true);
    connectControls();
}

VideoSection::~VideoSection() = default;

QWidget* VideoSection::searchBox() const {
    return m_txtSearch;
}

void VideoSection::setMainExitButton(QWidget* button) {
    m_mainExitButton = button;
}

void VideoSection::setContentServer(const QString& server) {
    m_server = server;
    m_driver->setServer(server);
}

// Selections made by the program call their handler themselves; only the
// user's own choices arrive through `activated`, which also fires when the
// user picks the item already shown, so choosing a kind again reloads it.
void VideoSection::connectControls() {
    connect(m_cboVidCategories, &QComboBox::activated, this, &VideoSection::cboVidCategories_Click);
    connect(m_cmbVideoCategories, &QComboBox::activated, this,
            &VideoSection::cmbVideoCategories_Click);
    connect(m_cmdVideCategoriesCoder, &QComboBox::activated, this,
            &VideoSection::cmdVideCategoriesCoder_Click);
    connect(m_txtSearch, &QLineEdit::textChanged, this, &VideoSection::txtSearch_Change);
    connect(m_lstVideos, &QListWidget::itemDoubleClicked, this, &VideoSection::lstVideos_DblClick);
    // A video the user points at or searches for is likely to be played
    // next; both signals come from the user's input only.
    connect(m_lstVideos, &QListWidget::itemPressed, this, &VideoSection::videoPicked);
    connect(m_txtSearch, &QLineEdit::textEdited, this, &VideoSection::videoPicked);
    bindClick(m_form.control(QStringLiteral("ButtonEx7")), this, SLOT(ButtonEx7_Click()));
    bindClick(m_form.control(QStringLiteral("btnHelp")), this, SLOT(btnHelp_Click()));
}

void VideoSection::resetForMainLoad() {
    m_SkipBuyerListLoad = true;
    m_SkipCoderListLoad = true;
    m_cboVidCategories->setCurrentIndex(0);
    cboVidCategories_Click();
}

void VideoSection::LoadVideoCategories() {
    fillCategorySelector(m_cmdVideCategoriesCoder, kindText(Kind::Coder));
    if (m_cmdVideCategoriesCoder->count() > 0)
        cmdVideCategoriesCoder_Click();
    // A failed download selects nothing: the one selection the flag was to
    // swallow never comes, and it must not swallow a later real reload.
    m_SkipCoderListLoad = false;
    fillCategorySelector(m_cmbVideoCategories, kindText(Kind::Buyer));
    if (m_cmbVideoCategories->count() > 0)
        cmbVideoCategories_Click();
    m_SkipBuyerListLoad = false;
}

// Refills a selector and leaves its first name selected; the caller raises
// the selection event, as a selection made by the program does.
void VideoSection::fillCategorySelector(QComboBox* selector, const QString& kind) {
    const QStringList names = m_driver->GetVideoCategories(kind);
    const QSignalBlocker blocker(selector);
    selector->clear();
    selector->addItems(names);
    selector->setCurrentIndex(names.isEmpty() ? -1 : 0);
}

void VideoSection::LoadVideoList(const QString& kind) {
    if (kindFromText(kind) == Kind::None)
        return;
    // A load started while this one waits (the kind selector stays usable
    // during a download) cancels this one's download and fills the list
    // itself; this one must then leave the list alone.
    const quint64 generation = ++m_listGeneration;
    m_lstVideos->clear();
    const QStringList entries = m_driver->GetCategoryVideos(kind, QStringLiteral("All"));
    yieldEvents(3);
    if (generation != m_listGeneration)
        return;
    m_lstVideos->clear();
    QStringList names;
    names.reserve(entries.size());
    for (const QString& entry : entries)
        if (const auto name = VideoListFile::displayName(entry))
            names << *name;
    m_lstVideos->addItems(names);
}

void VideoSection::enableControls(bool enableState) {
    // Disabling the focused control moves the focus on to the next one; the
    // user was typing or choosing there, so it comes back afterwards.
    QWidget* focused = QApplication::focusWidget();
    if (!enableState && !m_focusBeforeFetch &&
        (focused == m_cmbVideoCategories || focused == m_txtSearch || focused == m_lstVideos))
        m_focusBeforeFetch = focused;
    m_cmbVideoCategories->setEnabled(enableState);
    m_txtSearch->setEnabled(enableState);
    m_lstVideos->setEnabled(enableState);
    setButtonEnabled(m_mainExitButton, enableState);
    if (enableState && m_focusBeforeFetch) {
        if (m_focusBeforeFetch->isVisible())
            m_focusBeforeFetch->setFocus();
        m_focusBeforeFetch = nullptr;
    }
}

void VideoSection::showLoadingVideos() {
    m_lstVideos->clear();
    m_lstVideos->addItem(kLoadingVideos);
}

void VideoSection::reloadRequest(const QString& kind, bool& skipFlag) {
    if (skipFlag) {
        skipFlag = false;
        return;
    }
    m_gateway->cancel();
    yieldEvents(3);
    LoadVideoList(kind);
}

void VideoSection::cboVidCategories_Click() {
    const QString kind = m_cboVidCategories->currentText();
    if (kindFromText(kind) != Kind::None)
        reloadRequest(kind, m_SkipBuyerListLoad);
}

// Each activation selects a category of both kinds; were both to reload,
// the list would end with Buyer videos under a kind selector on "Coder",
// and the player would ask for the Coder page of a Buyer video.  So a
// category selector reloads only the kind on show (or any, when none is).
bool VideoSection::showsOtherKind(const QString& kind) const {
    const QString shown = m_cboVidCategories->currentText();
    return kindFromText(shown) != Kind::None && shown != kind;
}

void VideoSection::categorySelected(const QString& kind, bool& skipFlag) {
    // "Loading videos..." only where a load follows that replaces it.
    if (skipFlag || showsOtherKind(kind)) {
        skipFlag = false;
        return;
    }
    showLoadingVideos();
    reloadRequest(kind, skipFlag);
}

void VideoSection::cmbVideoCategories_Click() {
    categorySelected(kindText(Kind::Buyer), m_SkipBuyerListLoad);
}

void VideoSection::cmdVideCategoriesCoder_Click() {
    categorySelected(kindText(Kind::Coder), m_SkipCoderListLoad);
}

// Selects `row`, or leaves no line selected when it is -1.
void VideoSection::selectRow(int row) {
    if (row < 0) {
        m_lstVideos->clearSelection();
        m_lstVideos->setCurrentRow(-1);
        return;
    }
    m_lstVideos->setCurrentRow(row);
}

void VideoSection::txtSearch_Change() {
    const QString text = m_txtSearch->text();
    int found = -1;
    for (int row = 0, count = m_lstVideos->count(); row < count; ++row) {
        if (m_lstVideos->item(row)->text().startsWith(text, Qt::CaseInsensitive)) {
            found = row;
            break;
        }
    }
    selectRow(found);
    if (text.isEmpty() && m_lstVideos->count() > 0)
        selectRow(0);
}

void VideoSection::ButtonEx7_Click() {
    const QListWidgetItem* current = m_lstVideos->currentItem();
    QWidget* window = m_lstVideos->window();
    if (!current || !current->isSelected() || current->text().isEmpty()) {
        showMessage(QStringLiteral("Please select a video from the list of videos."),
                    QStringLiteral("Select..."), QMessageBox::Information, QMessageBox::Ok, window);
        m_lstVideos->setFocus();
        if (m_lstVideos->count() > 0)
            selectRow(0);
        return;
    }
    g_SelectedVideoName = current->text();
    auto* player = new frmPlayVideos(m_cboVidCategories->currentText(), m_server, window);
    player->setAttribute(Qt::WA_DeleteOnClose);
    player->exec();
}

void VideoSection::videoPicked() {
    BrowserFactory::instance().prepareAhead();
}

void VideoSection::lstVideos_DblClick() {
    ButtonEx7_Click();
}

void VideoSection::btnHelp_Click() {
    showMessage(QStringLiteral("Please select a video from the above list and then load it by "
                               "clicking on the Load button below."),
                QStringLiteral("Help"), QMessageBox::Information, QMessageBox::Ok,
                m_lstVideos->window());
}

} // namespace velmora
