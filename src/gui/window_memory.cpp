// The main window's geometry and zoom in the user's config.
#include "gui/window_memory.h"

#include <QRegion>
#include <QSettings>

#include <algorithm>

namespace analysis {
namespace {

constexpr const char* GeometryKey = "window/geometry";
constexpr const char* MaximizedKey = "window/maximized";
constexpr const char* ViewerPixelsKey = "window/viewerPixels";

int overlapArea(const QRect& a, const QRect& b) {
    QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : both.width() * both.height();
}

} // namespace

std::optional<WindowMemory> recallWindow(const QSettings& settings) {
    QRect geometry = settings.value(GeometryKey).toRect();
    // A hand-edited or damaged entry reads as an empty rectangle: start as on a first run.
    if (!geometry.isValid())
        return std::nullopt;
    WindowMemory memory;
    memory.geometry = geometry;
    memory.maximized = settings.value(MaximizedKey, false).toBool();
    memory.viewerPixels = settings.value(ViewerPixelsKey, 0).toInt();
    return memory;
}

void rememberWindow(QSettings& settings, const WindowMemory& memory) {
    settings.setValue(GeometryKey, memory.geometry);
    settings.setValue(MaximizedKey, memory.maximized);
    settings.setValue(ViewerPixelsKey, memory.viewerPixels);
}

QRect placeOnScreens(const QRect& remembered, const QList<QRect>& screens) {
    if (screens.isEmpty())
        return remembered;
    QRegion desktop;
    for (const QRect& screen : screens)
        desktop += screen;
    if (QRegion(remembered).subtracted(desktop).isEmpty())
        return remembered;

    const QRect* target = &screens.front();
    for (const QRect& screen : screens)
        if (overlapArea(remembered, screen) > overlapArea(remembered, *target))
            target = &screen;
    QRect placed(remembered.topLeft(), remembered.size().boundedTo(target->size()));
    placed.moveLeft(
        std::clamp(placed.left(), target->left(), target->right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), target->top(), target->bottom() - placed.height() + 1));
    return placed;
}

} // namespace analysis
