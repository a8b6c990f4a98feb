#pragma once

#include <QObject>
#include <QPointer>

class QWidget;
class QWindow;

namespace velmora {

class FocusTracker;

/// Decides when the main window counts as activated, as on the desktop the
/// program was designed for: when it is shown the first time, and when it
/// becomes active again after another of the program's own windows (the
/// settings dialog, the player window) closed or gave the focus back.  A
/// message box closing, another program giving the focus back and a restore
/// from minimised are no activation: message boxes and other programs'
/// windows are not windows of the program's form set.
class ActivationRule : public QObject {
    Q_OBJECT
public:
    ActivationRule(QWidget* window, const FocusTracker& focus, QObject* parent = nullptr);

    /// What held the focus before, for the rule.
    enum class FocusHolder { Nobody, MainWindow, ProgramWindow, MessageBox };
    /// The rule itself: whether the main window's gaining the focus after
    /// `previous` counts, given whether it has ever been activated.
    static bool counts(FocusHolder previous, bool activatedBefore);

signals:
    /// The main window counts as activated.
    void activated();

private:
    void focusTaken(QWindow* window);

    QPointer<QWidget> m_window;
    FocusHolder m_previous = FocusHolder::Nobody;
    bool m_activatedBefore = false;
};

} // namespace velmora
