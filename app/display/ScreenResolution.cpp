#include "ScreenResolution.h"

#include "DisplayServices.h"
#include "app/ShellGlobals.h"
#include "platform/MessageBoxService.h"
#include "platform/Yield.h"

namespace velmora {

void ScreenResolution::SaveScreenResolution() {
    const QSize size = m_display.screenSize();
    g_SavedScreenWidth = size.isValid() ? size.width() : 0;
    g_SavedScreenHeight = size.isValid() ? size.height() : 0;
}

void ScreenResolution::SetScreenResolution(int width, int height) {
    yieldEvents(3);
    // Where the design platform reads its current mode record; here testing
    // the mode reads what it needs.
    yieldEvents(3);
    const int result = m_display.testMode(width, height);
    if (result == DISP_CHANGE_SUCCESSFUL) {
        yieldEvents(3);
        m_display.applyMode(width, height);
    } else if (result == DISP_CHANGE_RESTART) {
        yieldEvents(2);
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
