// The archives a user has saved, as the Load command offers them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

/// One archive file in the installation's "Archive" folder.
struct ArchiveEntry {
    std::string name;
    std::uintmax_t bytes = 0;
    std::filesystem::file_time_type modified;
};

/// The archives in installFolder/"Archive", newest first (names in order among equals): every
/// plain file whose name an archive may have, so each one listed can be loaded by its name.
/// Temporaries, folders and other names are left out. Nothing when the folder is missing or
/// cannot be read: the user is told of the folder when he names an archive.
std::vector<ArchiveEntry> listArchives(const std::filesystem::path& installFolder);

/// The archive called name, when a plain file of that name is in installFolder/"Archive";
/// nothing otherwise, and for a name an archive may not have.
std::optional<ArchiveEntry> findArchive(const std::filesystem::path& installFolder,
                                        std::string_view name);

} // namespace analysis
