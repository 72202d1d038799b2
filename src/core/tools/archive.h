// Archive files: writing the ticked reports into one, and bringing one back as the day's
// analysis text.
#pragma once

#include "core/installation/archive_names.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace analysis {

/// Raises IoError ("Folder not found") naming the folder of file when it is not there, so the
/// user learns which folder to create rather than that the file was not found.
void requireFolderOf(const std::filesystem::path& file);

/// Replaces target with the lines of reportFiles one after another, each line ended by CR LF;
/// a file that does not exist adds nothing, so no files give an empty archive. The target is
/// written whole or not at all: it only takes the old file's place once complete.
void WriteReportsToFile(const std::filesystem::path& target,
                        std::span<const std::filesystem::path> reportFiles);

/// Replaces target (the day's "Analysis.TXT") with the lines of archive, each ended by CR LF,
/// whole or not at all.
void RestoreAnalysisText(const std::filesystem::path& archive, const std::filesystem::path& target);

} // namespace analysis
