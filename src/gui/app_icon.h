// The program's icon, drawn rather than shipped, so the window, the About box and the desktop
// launcher show the same picture.
#pragma once

#include <QIcon>

#include <filesystem>

namespace analysis {

/// The icon at the sizes desktops ask for.
QIcon appIcon();

/// Writes the icon as a 256-pixel PNG to file, for the desktop launcher. False when it cannot
/// be written; a launcher without an icon still works.
bool saveAppIcon(const std::filesystem::path& file);

} // namespace analysis
