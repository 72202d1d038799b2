// Finding and removing the program's own stale temporary files.
#include "core/installation/stale_temporaries.h"

#include "core/common/file_io.h"
#include "core/installation/archive_names.h"
#include "core/installation/report_names.h"

#include <algorithm>
#include <array>
#include <optional>

namespace analysis {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view TemporaryMark = ".tmp";
constexpr std::size_t MostDigits = 9;

/// The files the program replaces through a temporary, by folder.
constexpr std::array ReplacedFiles = {
    files::AnalysisText,      files::Schedule, files::PrintFile, files::PclFile, files::Settings,
    files::InstallationState, files::HelpA,    files::HelpX,     files::HelpE,   files::HelpB,
    files::ProgramIcon,
};

/// The name target's temporary replaces, when name is such a temporary.
std::optional<std::string_view> replacedName(std::string_view name) {
    std::size_t mark = name.rfind(TemporaryMark);
    if (mark == std::string_view::npos || mark == 0)
        return std::nullopt;
    std::string_view digits = name.substr(mark + TemporaryMark.size());
    if (digits.empty() || digits.size() > MostDigits ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return name.substr(0, mark);
}

bool isProgramFile(const fs::path& folder, std::string_view name, const InstallFolders& folders) {
    if (folder == folders.file(files::ArchiveFolder))
        return IsValidArchiveName(name);
    // A report's working file is replaced through a temporary when it is rescaled; the file is
    // still there when the copy was killed before its temporary took the file's place. Beside
    // no such file, the name may as well be the user's.
    if (folder == folders.InstallFolder && isReportFileName(name))
        return fileExists(folder / name);
    return std::any_of(ReplacedFiles.begin(), ReplacedFiles.end(),
                       [&](std::string_view file) { return folders.file(file) == folder / name; });
}

} // namespace

bool isTemporaryNameOf(std::string_view name, std::string_view target) {
    std::optional<std::string_view> replaced = replacedName(name);
    return replaced && *replaced == target;
}

std::vector<fs::path> removeStaleTemporaries(const InstallFolders& folders) {
    std::vector<fs::path> removed;
    for (const fs::path& folder : {folders.InstallFolder, folders.file("Exec"),
                                   folders.file("Help"), folders.file(files::ArchiveFolder)}) {
        std::error_code error;
        for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
             entry.increment(error)) {
            // Links and folders are never the program's temporaries, whatever their names.
            if (!entry->is_regular_file(error) || entry->is_symlink(error))
                continue;
            const std::string name = entry->path().filename().string();
            std::optional<std::string_view> replaced = replacedName(name);
            if (!replaced || !isProgramFile(folder, *replaced, folders))
                continue;
            std::error_code notRemoved;
            if (fs::remove(entry->path(), notRemoved))
                removed.push_back(entry->path());
        }
    }
    return removed;
}

} // namespace analysis
