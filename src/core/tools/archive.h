// Archive files: the names a user may give them, writing the ticked reports into one, and
// bringing one back as the day's analysis text.
#pragma once

#include "core/common/io_error.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace analysis {

/// A name typed for an archive that cannot name one.
class InvalidArchiveName : public AnalysisError {
public:
    InvalidArchiveName(std::string name, std::string_view fault);

    const std::string& name() const noexcept { return name_; }

private:
    std::string name_;
};

/// Longest archive name, in characters.
inline constexpr std::size_t ArchiveNameLimit = 12;

/// Why name cannot name an archive file, or "" when it can: at most 12 characters, none of
/// them a blank, a control character or one of " * + , / : ; < = > ? \ |, and at most one ".",
/// neither first nor followed by more than 3 characters. Characters above 127 are allowed;
/// name is UTF-8 and each character counts once whatever its length in bytes. The empty name
/// passes: callers treat it as "no name given" before they ask.
std::string_view archiveNameFault(std::string_view name);

/// True when archiveNameFault finds nothing wrong with name.
bool IsValidArchiveName(std::string_view name);

/// installFolder/"Archive"/name; InvalidArchiveName when name is empty or not valid, so no
/// name reaches outside the folder. The folder is the user's to create: the program never
/// makes it.
std::filesystem::path archiveFile(const std::filesystem::path& installFolder,
                                  std::string_view name);

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
