// The program's icon, drawn rather than shipped, so the window, the About box and the desktop
// launcher show the same picture.
#pragma once

#include <QIcon>

#include <filesystem>

namespace analysis {

/// The icon at the sizes desktops ask for.
QIcon appIcon();

/// Writes the icon as a PNG of size pixels square to file, for the desktop launcher and the
/// installed package's icon theme. False when it cannot be written; a launcher without an icon
/// still works.
bool saveAppIcon(const std::filesystem::path& file, int size = 256);

} // namespace analysis
