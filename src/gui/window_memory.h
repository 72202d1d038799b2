// The main window's size, place and viewer zoom, kept in the user's config between starts (not in
// the installation's settings file, whose lines other programs of the service read).
#pragma once

#include <QList>
#include <QRect>

#include <optional>

class QSettings;

namespace analysis {

/// How the window was left at its last close.
struct WindowMemory {
    /// The window's normal (not maximized) geometry, frame excluded.
    QRect geometry;
    bool maximized = false;
    /// The pixel size of the viewer's text.
    int viewerPixels = 0;
};

/// What settings remember of the window; nothing when no close has stored a usable geometry
/// (the window then opens at its design size in the middle of the screen).
std::optional<WindowMemory> recallWindow(const QSettings& settings);

/// Stores memory in settings for the next start.
void rememberWindow(QSettings& settings, const WindowMemory& memory);

/// Where a remembered geometry goes on the screens there are now (their available areas): kept
/// when it lies wholly on them; otherwise moved, and shrunk if it must, onto the screen it
/// overlaps most (the first when it overlaps none), so a window left on a screen since unplugged
/// or on a larger desktop never opens out of reach.
QRect placeOnScreens(const QRect& remembered, const QList<QRect>& screens);

} // namespace analysis
