// Clearing away what a killed copy of the program left half-written.
#pragma once

#include "core/installation/install_folders.h"

#include <filesystem>
#include <vector>

namespace analysis {

/// True when name is one the program gives a temporary file while it replaces target: target's
/// name, ".tmp" and one to nine digits.
bool isTemporaryNameOf(std::string_view name, std::string_view target);

/// Removes the temporary files ("Analysis.TXT.tmp123456") a killed copy left in the program's
/// own folders: the install folder, "Exec", "Help" and "Archive", and only for the files the
/// program itself replaces there (a report's working file that is still in the install folder,
/// any valid archive name in "Archive"). Anything else is left alone, whatever it is called. Call
/// only while holding the installation lock, so no other copy is still writing one. Returns the
/// files removed; a file that cannot be removed is skipped.
std::vector<std::filesystem::path> removeStaleTemporaries(const InstallFolders& folders);

} // namespace analysis
