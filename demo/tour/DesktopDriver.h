#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QStringList>

namespace velmora::tour {

/// A point of the program's windows on a 1024 x 768 screen, from its design
/// position in twips (15 to a pixel); the main window sits at the top left.
constexpr QPoint designPoint(int leftTwips, int topTwips) {
    return {leftTwips / 15, topTwips / 15};
}

/// Where a user clicks: the middle of each control, by the windows' design.
namespace places {
constexpr QPoint kGuides = designPoint(907, 2632);
constexpr QPoint kVideos = designPoint(907, 3367);
constexpr QPoint kSettings = designPoint(885, 8415);
constexpr QPoint kHereLink = designPoint(8805, 10402);
constexpr QPoint kBackToWelcome = designPoint(12427, 1380);
constexpr QPoint kWelcomeBackground = designPoint(2000, 2000);
// The guide selection panel and the reader (both at 1852, 772).
constexpr QPoint kGuideTypes = designPoint(1852 + 3315 + 1455, 772 + 2265 + 165);
constexpr QPoint kLoadGuide = designPoint(1852 + 3330 + 645, 772 + 6270 + 225);
constexpr QPoint kNextPage = designPoint(1852 + 6015 + 547, 772 + 9585 + 277);
constexpr QPoint kPageViewer = designPoint(1852 + 120, 772 + 120);
// The video panel (at 1852, 772).
constexpr QPoint kFirstVideo = designPoint(1852 + 3315 + 900, 772 + 3645 + 120);
constexpr QPoint kLoadVideo = designPoint(1852 + 3300 + 577, 772 + 5535 + 225);
// "Back to videos" of the player window, whose right end lies off a
// 1024-pixel screen: its visible part.
constexpr QPoint kBackToVideos = designPoint(14400, 255);
} // namespace places

/// Drives the program on the X server of $DISPLAY with real input through
/// xdotool, and looks at it through screenshots of that server.  Needs a
/// QGuiApplication on the same server.
class DesktopDriver {
public:
    static bool xdotool(const QStringList& arguments);
    static bool click(QPoint at);
    /// Types key names (xdotool's) one after another.
    static bool keys(const QStringList& names);
    static QImage screenshot();
    /// The visible window titled exactly `title`, waited for up to
    /// `timeoutMs`; an empty rectangle when none came.
    static QRect waitForWindow(const QString& title, int timeoutMs);
    /// How many visible windows of process `pid` are titled exactly `title`.
    static int visibleWindows(qint64 pid, const QString& title);
    /// Whether the window titled exactly `title` became the active one
    /// within `timeoutMs`: keys typed before that reach another window or
    /// none (the window manager hands the focus back a moment after a box
    /// closes).
    static bool waitUntilActive(const QString& title, int timeoutMs);
    /// Guides, "Coder" from the guide list, Load: as a user starts reading.
    static bool loadCoderGuide();

private:
    /// Runs an xdotool search and gives its output, or nothing when it found
    /// no window.  A window destroyed while xdotool walks the window tree
    /// ends it with an X error; the program makes and drops such windows as
    /// it works (a GL surface, a box), so the search is run again then.
    static QByteArray search(const QStringList& arguments, int timeoutMs);
};

} // namespace velmora::tour
