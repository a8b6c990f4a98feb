#pragma once

#include "platform/Form.h"

#include <QWidget>
#include <functional>
#include <memory>

namespace velmora {

class ActivationRule;
class FocusTracker;
class ColourChooser;
class DisplayServices;
class DisplayWatcher;
class GuideSection;
class ScreenResolution;
class VideoSection;
class WebPagePanel;
class WelcomeScreen;

/// What the main window needs from outside: the display backend, the way
/// the process ends, and the colour chooser of the settings dialog.  Empty
/// members take the program's own: the desktop's display backend (XRandR on
/// X11), leaving the application's event loop, QColorDialog.
struct MainServices {
    DisplayServices* display = nullptr;
    std::function<void()> endProcess;
    ColourChooser* colourChooser = nullptr;
};

/// The main window: a borderless 1024 x 738 window with its own skin, the
/// welcome screen, the left navigation panel and the section panels (guides,
/// videos, web page) that it owns and wires together.  Construction runs
/// the window's load; activations (as ActivationRule counts them) run
/// Form_Activate; the exit controls and the window manager's close all end
/// the program through lblExit_Click, which restores the user's screen
/// resolution first.
class Main : public QWidget {
    Q_OBJECT
public:
    explicit Main(MainServices services = {}, QWidget* parent = nullptr);
    ~Main() override;

    const Form& form() const { return m_form; }
    GuideSection& guides() const { return *m_guides; }
    VideoSection& videos() const { return *m_videos; }
    WebPagePanel& webPanel() const { return *m_webPanel; }
    DisplayWatcher& displayWatcher() const { return *m_watcher; }

    /// True until the first activation has run its start-up block.
    bool firstActivation() const { return m_FirstActivation; }
    /// True once the exit operation has unloaded the window.
    bool isUnloaded() const { return m_Unloaded; }

public slots:
    void Form_Load();
    void Form_Activate();
    void Form_Resize();

    void lblExit_Click();
    void lblMinimize_Click();

    void btnDocument_Click();
    void btnVideo_Click();
    void Command1_Click();
    void ButtonEx14_Click();
    void ButtonEx9_Click();
    void ButtonEx6_Click();
    void ButtonEx5_Click();
    void ButtonEx11_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    /// Tab and Shift+Tab go in reading order.
    bool focusNextPrevChild(bool next) override;

private:
    void connectControls();
    void runStartupBlock();
    QWidget* control(const char* name) const;
    QWidget* doorsControl(const char* name) const;

    MainServices m_services;
    std::unique_ptr<DisplayServices> m_ownDisplay;
    std::unique_ptr<ScreenResolution> m_resolution;
    Form m_form;
    QImage m_skin;
    std::unique_ptr<WelcomeScreen> m_welcome;
    GuideSection* m_guides = nullptr;
    VideoSection* m_videos = nullptr;
    WebPagePanel* m_webPanel = nullptr;
    DisplayWatcher* m_watcher = nullptr;
    FocusTracker* m_focus = nullptr;
    ActivationRule* m_activation = nullptr;
    bool m_FirstActivation = true;
    bool m_StartupRunning = false;
    bool m_Unloaded = false;
};

} // namespace velmora
