#pragma once

#include <QObject>

class QListWidget;

namespace velmora {

/// The keys of a window's list box: the arrows and Space select a line as a
/// click does (the list's own), and Return or Enter on the current line
/// does what a double-click on it does: the list raises itemDoubleClicked.
class ListKeys : public QObject {
    Q_OBJECT
public:
    /// Gives `list` the Return key of a double-click; the keys go with it.
    static void attach(QListWidget* list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace velmora
