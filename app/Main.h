#pragma once

#include "platform/Form.h"

#include <QWidget>
#include <functional>
#include <memory>

namespace velmora {

class ColourChooser;
class DisplayServices;
class GuideSection;
class VideoSection;
class WelcomeScreen;

/// What the main window needs from outside: the display backend, the way
/// the process ends, and the colour chooser of the settings dialog.  Empty
/// members take the program's own: the null display backend, leaving the
/// application's event loop, QColorDialog.
struct MainServices {
    DisplayServices* display = nullptr;
    std::function<void()> endProcess;
    ColourChooser* colourChooser = nullptr;
};

/// The main window: a borderless 1024 x 738 window with its own skin, the
/// welcome screen, the left navigation panel and the section panels (guides,
/// videos, web page) that it owns and wires together.  Construction runs
/// the window's load; every activation runs Form_Activate; the exit controls
/// and the window manager's close all end the program through lblExit_Click,
/// which restores the user's screen resolution first.
class Main : public QWidget {
    Q_OBJECT
public:
    explicit Main(MainServices services = {}, QWidget* parent = nullptr);
    ~Main() override;

    const Form& form() const { return m_form; }
    GuideSection& guides() const { return *m_guides; }
    VideoSection& videos() const { return *m_videos; }

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
    /// The "here" link to the product's contact page, shown in the web page
    /// panel once the browser module is in place; it opens nothing yet.
    void Label9_Click();

    /// Remembers the user's screen size for the exit.
    void SaveScreenResolution();
    /// Asks the display backend for `width` x `height`.
    void SetScreenResolution(int width, int height);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void connectControls();
    void runStartupBlock();
    QWidget* control(const char* name) const;
    QWidget* doorsControl(const char* name) const;

    MainServices m_services;
    std::unique_ptr<DisplayServices> m_ownDisplay;
    Form m_form;
    QImage m_skin;
    std::unique_ptr<WelcomeScreen> m_welcome;
    GuideSection* m_guides = nullptr;
    VideoSection* m_videos = nullptr;
    bool m_FirstActivation = true;
    bool m_StartupRunning = false;
    bool m_Unloaded = false;
};

} // namespace velmora
