#include "frmSettings.h"

#include "ColourChooser.h"
#include "PackageSettings.h"

#include "platform/ClickLabel.h"
#include "platform/ControlEvents.h"
#include "platform/ControlPalette.h"
#include "platform/FormLoader.h"
#include "platform/MessageBoxService.h"
#include "platform/ReadingOrder.h"
#include "platform/Yield.h"

#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>

namespace velmora {

namespace {

bool isChecked(const Form& form, const char* option) {
    const auto* button = form.control<QRadioButton>(QLatin1String(option));
    return button && button->isChecked();
}

void check(const Form& form, const char* option) {
    if (auto* button = form.control<QRadioButton>(QLatin1String(option)))
        button->setChecked(true);
}

} // namespace

frmSettings::frmSettings(QWidget* parent, ColourChooser* chooser)
    : QDialog(parent), m_chooser(chooser ? chooser : &ColourChooser::standard()) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_form = FormLoader::load(QStringLiteral(":/settings/forms/frmSettings.json"), this);
    setFixedSize(size());
    setBackColor(kDesignWelcomeBackColor);
    setFontColor(kDesignWelcomeFontColor);
    connectControls();
    Form_Load();
}

void frmSettings::connectControls() {
    bindClick(m_form.control("Command1"), this, SLOT(Command1_Click()));
    bindClick(m_form.control("ButtonEx1"), this, SLOT(ButtonEx1_Click()));
    bindClick(m_form.control("ButtonEx11"), this, SLOT(ButtonEx11_Click()));
    if (auto* square = m_form.control<ClickLabel>(QStringLiteral("Picture1")))
        connect(square, &ClickLabel::doubleClicked, this, &frmSettings::Picture1_DblClick);
    if (auto* square = m_form.control<ClickLabel>(QStringLiteral("Picture2")))
        connect(square, &ClickLabel::clicked, this, &frmSettings::Picture2_Click);
}

void frmSettings::Form_Load() {
    const std::optional<StartupSection> startup = PackageSettings::startup();
    if (!startup)
        return;
    switch (*startup) {
    case StartupSection::Welcome:
        check(m_form, "optWelcome");
        break;
    case StartupSection::Docs:
        check(m_form, "optDocs");
        break;
    case StartupSection::Videos:
        check(m_form, "optVideos");
        break;
    }
}

void frmSettings::Form_Activate() {
    if (const auto back = PackageSettings::welcomeBackColor())
        setBackColor(*back);
    if (const auto font = PackageSettings::welcomeFontColor())
        setFontColor(*font);
}

void frmSettings::Picture1_DblClick() {
    if (const auto chosen = m_chooser->choose(m_BackColor, tr("Welcome screen back color"), this))
        setBackColor(*chosen);
}

void frmSettings::Picture2_Click() {
    if (const auto chosen = m_chooser->choose(m_FontColor, tr("Welcome screen font color"), this))
        setFontColor(*chosen);
}

void frmSettings::Command1_Click() {
    // Each key is written on its own: a store that refuses one write still
    // gets the others, and the dialog reports nothing either way.
    if (isChecked(m_form, "optWelcome"))
        PackageSettings::saveStartup(StartupSection::Welcome);
    else if (isChecked(m_form, "optDocs"))
        PackageSettings::saveStartup(StartupSection::Docs);
    else if (isChecked(m_form, "optVideos"))
        PackageSettings::saveStartup(StartupSection::Videos);
    PackageSettings::saveWelcomeBackColor(m_BackColor);
    PackageSettings::saveWelcomeFontColor(m_FontColor);
    yieldEvents(3);
    emit coloursApplied(m_BackColor, m_FontColor);
    accept();
}

void frmSettings::ButtonEx1_Click() {
    reject();
}

void frmSettings::ButtonEx11_Click() {
    showMessage(QStringLiteral("Double click on each color square box in order to change the back "
                               "color and font color of the welcome screen."),
                QStringLiteral("Help"), QMessageBox::Information, QMessageBox::Ok, this);
}

void frmSettings::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    // The stored colours are read once per showing: the colour chooser and the
    // help box hand the activation back to the dialog, and reading again then
    // would throw away the colour the user has just picked.
    if (!m_Activated) {
        m_Activated = true;
        Form_Activate();
    }
}

bool frmSettings::focusNextPrevChild(bool next) {
    return ReadingOrder::moveFocus(this, next) || QDialog::focusNextPrevChild(next);
}

void frmSettings::setBackColor(OleColor colour) {
    m_BackColor = colour;
    ControlPalette::setBackColor(m_form.control("Picture1"), colour);
}

void frmSettings::setFontColor(OleColor colour) {
    m_FontColor = colour;
    ControlPalette::setBackColor(m_form.control("Picture2"), colour);
}

} // namespace velmora
