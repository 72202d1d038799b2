// The desktop launcher that starts the program: a freedesktop ".desktop" file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace analysis {

/// The launcher file's text: it runs target with target's folder as working folder, and shows
/// icon when one is given.
std::string desktopLauncherText(const std::filesystem::path& target, std::string_view name,
                                const std::filesystem::path& icon = {});

/// Writes (or replaces) desktopFolder/linkName.desktop pointing at target, marked executable so
/// that desktops trust it. A missing desktop folder writes nothing and is not an error: there
/// is simply no desktop to put a launcher on. IoError when the file cannot be written.
void CreateDesktopShortcut(const std::filesystem::path& desktopFolder,
                           const std::filesystem::path& target, std::string_view linkName,
                           const std::filesystem::path& icon = {});

} // namespace analysis
