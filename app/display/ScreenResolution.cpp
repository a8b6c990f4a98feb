#include "ScreenResolution.h"

#include "DisplayServices.h"
#include "app/ShellGlobals.h"
#include "platform/MessageBoxService.h"
#include "platform/Yield.h"

namespace velmora {

void ScreenResolution::SaveScreenResolution() {
    m_display.rememberUserMode();
    const QSize size = m_display.screenSize();
    g_SavedScreenWidth = size.isValid() ? size.width() : 0;
    g_SavedScreenHeight = size.isValid() ? size.height() : 0;
}

void ScreenResolution::SetScreenResolution(int width, int height) {
    change(width, height, false);
}

void ScreenResolution::ExitScreenResolution(int width, int height) {
    m_exitBegun = true;
    change(width, height, true);
}

void ScreenResolution::change(int width, int height, bool exitsOwn) {
    // The exit may run inside any of the yields below; a switch that comes
    // out of them after it would leave the display switched for good.
    const auto overtaken = [&] { return m_exitBegun && !exitsOwn; };
    yieldEvents(3);
    // Where the design platform reads its current mode record; here testing
    // the mode reads what it needs.
    yieldEvents(3);
    if (overtaken())
        return;
    const int result = m_display.testMode(width, height);
    if (result == DISP_CHANGE_SUCCESSFUL) {
        yieldEvents(3);
        if (!overtaken())
            m_display.applyMode(width, height);
    } else if (result == DISP_CHANGE_RESTART) {
        yieldEvents(2);
        if (overtaken())
            return;
        MessageBoxRequest prompt;
        prompt.text = QStringLiteral("You must restart your computer to apply these changes.\r\n"
                                     "\r\nDo you want to restart now?");
        prompt.title = QStringLiteral("Screen Resolution");
        prompt.buttons = QMessageBox::Yes | QMessageBox::No;
        // The closest this desktop has to a system-modal box: modal for the
        // whole program and above all of its windows.
        prompt.staysOnTop = true;
        if (MessageBoxService::instance().show(prompt) == QMessageBox::Yes)
            m_display.requestRestart();
    }
}

} // namespace velmora
