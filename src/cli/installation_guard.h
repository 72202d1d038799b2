// The installation lock taken by the verbs that write: a verb never writes into an installation
// while the window (or another verb) has it.
#pragma once

#include "core/common/io_error.h"
#include "core/installation/install_lock.h"

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <vector>

namespace analysis::cli {

/// The installation is held by another process: the verb wrote nothing.
class InstallationInUse : public AnalysisError {
public:
    using AnalysisError::AnalysisError;
};

/// How long a verb waits for a writer that is about to finish (another verb, say) before it
/// gives up; a window holds the installation far longer.
inline constexpr int InstallationWaitMs = 2000;

/// Locks the installation folder is part of, when it is one: folder itself, or the folder it
/// lies in ("Exec", "Data", "Archive" of an installation). The folder is found by its real
/// path, links and ".." resolved, so no way of naming it gets past the lock. Returns the held lock
/// (nothing when folder belongs to no installation); InstallationInUse when another process holds
/// it, and an AnalysisError naming the folder when it cannot be locked. Call before writing
/// anything.
std::unique_ptr<InstallLock> lockInstallationOf(const std::filesystem::path& folder);

/// lockInstallationOf for the folder file is written into.
std::unique_ptr<InstallLock> lockInstallationAround(const std::filesystem::path& file);

/// The locks of every installation the files are written into, each taken once however many
/// of the files it holds.
std::vector<std::unique_ptr<InstallLock>>
lockInstallationsAround(std::initializer_list<std::filesystem::path> files);

} // namespace analysis::cli
