// analysis-tool archive-name, archive-save and archive-restore: the archive rules and copies.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace analysis::cli {

/// archive-name NAME: exit 0 when NAME is a valid archive name, 1 (and why on err) when not.
int runArchiveNameCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

/// archive-save OUT FILE...: the report files into the archive OUT; returns the exit status.
int runArchiveSaveCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

/// archive-restore ARCHIVE TXT: the archive as the analysis text TXT; returns the exit status.
int runArchiveRestoreCommand(std::span<const std::string> args, std::ostream& out,
                             std::ostream& err);

} // namespace analysis::cli
