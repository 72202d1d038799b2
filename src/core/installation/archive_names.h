// The names a user may give an archive file, and where the file so named lies.
#pragma once

#include "core/common/io_error.h"

#include <filesystem>
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

/// The rule archiveNameFault checks, in one line, for a user whose name was refused.
inline constexpr std::string_view ArchiveNameRule =
    "An archive name has at most 12 characters, no blank and none of \" * + , / : ; < = > ? \\ "
    "|, and at most one dot, not first, with at most 3 characters after it (as MONDAY.TXT).";

/// Why name cannot name an archive file, or "" when it can: at most 12 characters, none of
/// them a blank, a control character or one of " * + , / : ; < = > ? \ |, and at most one ".",
/// neither first nor followed by more than 3 characters. Characters above 127 are allowed;
/// name must be valid UTF-8, and each character counts once whatever its length in bytes, so a
/// name that passes is at most 48 bytes. The empty name passes: callers treat it as "no name
/// given" before they ask.
std::string_view archiveNameFault(std::string_view name);

/// True when archiveNameFault finds nothing wrong with name.
bool IsValidArchiveName(std::string_view name);

/// installFolder/"Archive"/name; InvalidArchiveName when name is empty or not valid, so no
/// name reaches outside the folder. The folder is the user's to create: the program never
/// makes it.
std::filesystem::path archiveFile(const std::filesystem::path& installFolder,
                                  std::string_view name);

} // namespace analysis
