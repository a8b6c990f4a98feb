#include "Main.h"

#include "ActivationRule.h"
#include "FocusTracker.h"
#include "MainLayout.h"
#include "ShellGlobals.h"
#include "Skin.h"
#include "WebPagePanel.h"
#include "WelcomeScreen.h"
#include "display/DisplayServices.h"
#include "display/DisplayWatcher.h"
#include "display/ScreenResolution.h"

#include "guides/GuideSection.h"
#include "platform/ClickLabel.h"
#include "platform/Configuration.h"
#include "platform/ControlEvents.h"
#include "platform/FormLoader.h"
#include "platform/MessageBoxService.h"
#include "platform/ProgramFolders.h"
#include "platform/ReadingOrder.h"
#include "platform/Twips.h"
#include "platform/Yield.h"
#include "settings/PackageSettings.h"
#include "settings/frmSettings.h"
#include "videos/VideoGlobals.h"
#include "videos/VideoSection.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace velmora {

namespace {

// Where the guide and video panels sit while they are in front, in twips.
constexpr int kPanelLeft = 1852;
constexpr int kPanelTop = 772;

// A control that is hidden or disabled cannot take the focus; the request
// is then dropped, as the switches expect.
void requestFocus(QWidget* widget) {
    if (widget && widget->isVisible() && widget->isEnabled())
        widget->setFocus(Qt::OtherFocusReason);
}

void onLabelClick(QWidget* widget, Main* main, void (Main::*handler)()) {
    if (auto* label = qobject_cast<ClickLabel*>(widget))
        QObject::connect(label, &ClickLabel::clicked, main, handler);
}

} // namespace

Main::Main(MainServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_services(std::move(services)) {
    if (!m_services.display) {
        // The output that shows this window, asked at each call: the window
        // may be moved to another output while it runs.
        m_ownDisplay = createDisplayServices(
            [this] {
                const QWindow* window = windowHandle();
                return window && window->screen() ? window->screen()->name() : QString();
            },
            privateFile(QStringLiteral("VelmoraDisplayGuard")));
        m_services.display = m_ownDisplay.get();
    }
    m_resolution = std::make_unique<ScreenResolution>(*m_services.display);
    if (!m_services.endProcess)
        m_services.endProcess = [] { QCoreApplication::exit(0); };

    m_form = FormLoader::load(QStringLiteral(":/app/forms/Main.json"), this);
    m_skin = Skin::render();
    m_welcome = std::make_unique<WelcomeScreen>(m_form);
    m_guides = new GuideSection(control("fraDoors"), control("fraGuide"), this);
    m_videos = new VideoSection(control("fraVideo"), this);
    m_webPanel = new WebPagePanel(m_form, this, Configuration::current().webSite, this);
    m_focus = new FocusTracker(this);
    m_watcher = new DisplayWatcher(this, m_form.timer(QStringLiteral("Timer1")),
                                   m_form.timer(QStringLiteral("Timer2")), *m_focus,
                                   *m_services.display, *m_resolution, this);
    // Form_Activate yields; it runs from the event loop, after the focus
    // change has been delivered everywhere.
    m_activation = new ActivationRule(this, *m_focus, this);
    connect(m_activation, &ActivationRule::activated, this, &Main::Form_Activate,
            Qt::QueuedConnection);
    connectControls();
    Form_Load();
}

Main::~Main() {
    // Focus changes while the window goes are no activations.
    delete m_activation;
    // The sections go before the controls they drive, which the window
    // deletes after its own destructor.
    delete m_videos;
    delete m_guides;
}

QWidget* Main::control(const char* name) const {
    return m_form.control(QLatin1String(name));
}

QWidget* Main::doorsControl(const char* name) const {
    return m_guides->doorsForm().control(QLatin1String(name));
}

void Main::connectControls() {
    onLabelClick(control("lblExit"), this, &Main::lblExit_Click);
    onLabelClick(control("lblMinimize"), this, &Main::lblMinimize_Click);
    onLabelClick(control("btnDocument"), this, &Main::btnDocument_Click);
    onLabelClick(control("Image13"), this, &Main::btnDocument_Click);
    onLabelClick(control("btnVideo"), this, &Main::btnVideo_Click);
    onLabelClick(control("Image14"), this, &Main::btnVideo_Click);
    onLabelClick(control("Label29"), this, &Main::ButtonEx6_Click);
    if (auto* here = qobject_cast<ClickLabel*>(control("Label9")))
        connect(here, &ClickLabel::clicked, m_webPanel, &WebPagePanel::Label9_Click);

    bindClick(control("ButtonEx1"), this, SLOT(lblExit_Click()));
    bindClick(control("Command1"), this, SLOT(Command1_Click()));
    bindClick(control("ButtonEx6"), this, SLOT(ButtonEx6_Click()));
    bindClick(control("ButtonEx5"), this, SLOT(ButtonEx5_Click()));
    bindClick(doorsControl("ButtonEx14"), this, SLOT(ButtonEx14_Click()));
    bindClick(doorsControl("ButtonEx10"), this, SLOT(lblExit_Click()));
    bindClick(doorsControl("ButtonEx11"), this, SLOT(ButtonEx11_Click()));
    bindClick(m_videos->form().control(QStringLiteral("ButtonEx8")), this, SLOT(lblExit_Click()));
    bindClick(m_videos->form().control(QStringLiteral("ButtonEx9")), this, SLOT(ButtonEx9_Click()));
    m_videos->setMainExitButton(control("ButtonEx1"));
}

void Main::Form_Load() {
    m_FirstActivation = true;
    m_welcome->applyStoredColours();
    m_guides->resetForMainLoad();
    m_videos->resetForMainLoad();
    move(0, 0);
    moveInTwips(control("fraOnTheWeb"), 1980, 875);
    yieldEvents(2);
    g_BrowserCreated = false;
    yieldEvents(5);
}

void Main::Form_Activate() {
    if (m_Unloaded)
        return;
    requestFocus(m_videos->searchBox());
    m_watcher->arm();
    // An activation that arrives while the start-up block yields must not
    // run it a second time: it would save the switched resolution as the
    // user's own.
    if (m_FirstActivation && !m_StartupRunning)
        runStartupBlock();
    if (m_Unloaded)
        return;
    if (g_SkipVideoReload) {
        g_SkipVideoReload = false;
        return;
    }
    m_videos->LoadVideoCategories();
}

void Main::runStartupBlock() {
    m_StartupRunning = true;
    // The exit operation may run inside any of these yields; once it has
    // restored the user's resolution nothing may switch it again.
    yieldEvents(7);
    if (m_Unloaded)
        return;
    const std::optional<StartupSection> startup = PackageSettings::startup();
    if (startup == StartupSection::Docs)
        btnDocument_Click();
    else if (startup == StartupSection::Videos)
        btnVideo_Click();
    m_resolution->SaveScreenResolution();
    yieldEvents(8);
    if (m_Unloaded)
        return;
    m_resolution->SetScreenResolution(1024, 768);
    yieldEvents(4);
    m_FirstActivation = false;
    m_StartupRunning = false;
}

void Main::lblExit_Click() {
    if (m_Unloaded)
        return;
    m_Unloaded = true;
    // The window's timers go with it.
    m_watcher->stop();
    hide();
    yieldEvents(5);
    m_resolution->ExitScreenResolution(g_SavedScreenWidth, g_SavedScreenHeight);
    yieldEvents(5);
    m_services.endProcess();
}

void Main::lblMinimize_Click() {
    setWindowState(windowState() | Qt::WindowMinimized);
}

void Main::btnDocument_Click() {
    m_welcome->HideWelcomeText();
    setShown(control("fraVideo"), false);
    moveInTwips(control("fraDoors"), kPanelLeft, kPanelTop);
    setButtonEnabled(control("ButtonEx6"), false);
    setShown(doorsControl("ButtonEx14"), true);
    setShown(doorsControl("Frame14"), true);
    setShown(control("Command1"), false);
    setShown(control("labelshadow"), false);
    setShown(control("fraDoors"), true);
    requestFocus(m_guides->docCategories());
}

void Main::btnVideo_Click() {
    m_welcome->HideWelcomeText();
    setShown(control("fraVideo"), true);
    moveInTwips(control("fraVideo"), kPanelLeft, kPanelTop);
    setButtonEnabled(control("ButtonEx6"), false);
    setShown(control("fraDoors"), false);
    setShown(control("fraGuide"), false);
    setShown(control("Command1"), true);
    requestFocus(control("Command1"));
    requestFocus(m_videos->searchBox());
}

void Main::Command1_Click() {
    m_welcome->ShowWelcomeText();
    setShown(control("fraGuide"), false);
    setButtonEnabled(control("ButtonEx6"), true);
    setShown(control("Command1"), false);
    setShown(control("fraVideo"), false);
    setShown(control("labelshadow"), false);
    setShown(control("fraOnTheWeb"), false);
    if (QWidget* shape = control("Shape2")) {
        shape->show();
        shape->lower();
    }
    setShown(control("fraGuide"), false);
    setShown(control("fraDoors"), false);
    // The exit button back at its home place, its shadow with it.
    placeInTwips(control("ButtonEx1"), 13680, 9720, 690);
    yieldEvents(2);
    placeInTwips(control("lblShadowTwo"), 13815, 9765, 690);
}

void Main::ButtonEx14_Click() {
    m_welcome->ShowWelcomeText();
    setButtonEnabled(control("ButtonEx6"), true);
    setShown(control("fraDoors"), false);
    setShown(control("fraGuide"), false);
    setShown(doorsControl("ButtonEx14"), false);
    setShown(doorsControl("Frame14"), false);
}

void Main::ButtonEx9_Click() {
    setShown(control("fraVideo"), false);
    setShown(control("Command1"), false);
    setShown(control("labelshadow"), false);
    m_welcome->ShowWelcomeText();
    setButtonEnabled(control("ButtonEx6"), true);
}

void Main::ButtonEx6_Click() {
    frmSettings dialog(this, m_services.colourChooser);
    connect(&dialog, &frmSettings::coloursApplied, this,
            [this](OleColor back, OleColor font) { m_welcome->applyColours(back, font); });
    dialog.exec();
}

void Main::ButtonEx5_Click() {
    const QString lineBreak = QStringLiteral("\r\n\r\n");
    showMessage(QStringLiteral("This program runs at this screen resolution: 1024 x 768. ") +
                    lineBreak +
                    QStringLiteral("Each time that you run this program, your screen resolution "
                                   "will be set at 1024 x 768.") +
                    lineBreak +
                    QStringLiteral("When you close this program, your screen resolution will be "
                                   "set back to what it was before running this program."),
                QStringLiteral("About..."), QMessageBox::Information, QMessageBox::Ok, this);
}

void Main::ButtonEx11_Click() {
    showMessage(QStringLiteral("Please select a guide type from the drop down box and then click "
                               "the Load button."),
                QStringLiteral("Help"), QMessageBox::Information, QMessageBox::Ok, this);
    requestFocus(m_guides->docCategories());
}

void Main::Form_Resize() {
    if (isMinimized())
        return;
    const QSize clamped = clampedMainSize(size());
    if (clamped != size())
        resize(clamped);
    m_guides->layoutViewers(pixelsToTwips(width()));
}

void Main::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Main::closeEvent(QCloseEvent* event) {
    if (m_Unloaded) {
        event->accept();
        return;
    }
    // Closing from the window manager (Alt+F4, the task bar) is the exit
    // operation, so the user's resolution comes back as with the exit controls.
    event->ignore();
    QMetaObject::invokeMethod(this, &Main::lblExit_Click, Qt::QueuedConnection);
}

void Main::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(0, 0, m_skin);
}

bool Main::focusNextPrevChild(bool next) {
    return ReadingOrder::moveFocus(this, next) || QWidget::focusNextPrevChild(next);
}

} // namespace velmora
