#pragma once

#include <QObject>

class QWidget;

namespace velmora {

/// Carries out Alt+key in every window of the application for the hosted
/// controls whose access keys (HostSite::accessKeys) hold the key, by the
/// rule of chooseAccessKeyTarget: a control hidden, disabled or covered by
/// the widgets in front of it takes no key, one left is clicked, several
/// left take the focus in turn.  Deciding at each press, from what the
/// window shows then, keeps the rule right through every show, hide, raise
/// and move of the window's panels.
class AccessKeyRouter : public QObject {
    Q_OBJECT
public:
    /// Puts the application's one router in place (again only after the
    /// application was made anew).
    static void install();

    /// Carries out the access key `key` (a Qt::Key) in `window`; false when
    /// no control there takes it.
    static bool press(QWidget* window, int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace velmora
