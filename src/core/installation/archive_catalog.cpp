// Listing the archive folder.
#include "core/installation/archive_catalog.h"

#include "core/installation/archive_names.h"
#include "core/installation/install_folders.h"

#include <algorithm>
#include <system_error>

namespace analysis {
namespace fs = std::filesystem;
namespace {

/// The entry for file, or nothing when it is no plain file or cannot be read.
std::optional<ArchiveEntry> entryFor(const fs::path& file, std::string name) {
    std::error_code error;
    if (!fs::is_regular_file(file, error))
        return std::nullopt;
    ArchiveEntry entry{std::move(name), fs::file_size(file, error), {}};
    if (error)
        return std::nullopt;
    entry.modified = fs::last_write_time(file, error);
    if (error)
        return std::nullopt;
    return entry;
}

} // namespace

std::vector<ArchiveEntry> listArchives(const fs::path& installFolder) {
    std::vector<ArchiveEntry> archives;
    std::error_code error;
    fs::directory_iterator folder(installFolder / files::ArchiveFolder, error);
    for (; !error && folder != fs::directory_iterator(); folder.increment(error)) {
        std::string name = folder->path().filename().string();
        if (name.empty() || !IsValidArchiveName(name))
            continue;
        if (std::optional<ArchiveEntry> entry = entryFor(folder->path(), std::move(name)))
            archives.push_back(std::move(*entry));
    }
    std::sort(archives.begin(), archives.end(), [](const ArchiveEntry& a, const ArchiveEntry& b) {
        return a.modified != b.modified ? a.modified > b.modified : a.name < b.name;
    });
    return archives;
}

std::optional<ArchiveEntry> findArchive(const fs::path& installFolder, std::string_view name) {
    if (name.empty() || !IsValidArchiveName(name))
        return std::nullopt;
    return entryFor(installFolder / files::ArchiveFolder / name, std::string(name));
}

} // namespace analysis
