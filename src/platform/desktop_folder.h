// Where the user's desktop is.
#pragma once

#include <filesystem>

namespace analysis {

/// The user's desktop folder as the desktop names it (XDG user dirs); it may not exist.
std::filesystem::path desktopFolder();

} // namespace analysis
