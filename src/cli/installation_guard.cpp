// Finding the installation a verb writes into and holding its lock.
#include "cli/installation_guard.h"

namespace analysis::cli {
namespace fs = std::filesystem;

namespace {

fs::path absoluteFolder(const fs::path& folder) {
    std::error_code error;
    fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : folder, error);
    if (error)
        absolute = folder;
    absolute = absolute.lexically_normal();
    // "dir/" names the same folder as "dir".
    if (!absolute.has_filename() && absolute.has_parent_path() && absolute != absolute.root_path())
        absolute = absolute.parent_path();
    return absolute;
}

std::unique_ptr<InstallLock> lock(const fs::path& installFolder) {
    auto held = std::make_unique<InstallLock>(installFolder);
    switch (held->acquire(InstallationWaitMs)) {
    case InstallLock::Result::Acquired:
        return held;
    case InstallLock::Result::HeldByAnother:
        throw InstallationInUse("The installation " + installFolder.string() +
                                " is in use by a running Analysis; nothing was written. Close "
                                "the Analysis window and try again.");
    case InstallLock::Result::Unavailable:
        break;
    }
    throw AnalysisError(held->failureText() + "; nothing was written");
}

} // namespace

std::unique_ptr<InstallLock> lockInstallationOf(const fs::path& folder) {
    const fs::path absolute = absoluteFolder(folder);
    if (isInstallFolder(absolute))
        return lock(absolute);
    if (absolute.has_parent_path() && absolute != absolute.root_path() &&
        isInstallFolder(absolute.parent_path()))
        return lock(absolute.parent_path());
    return nullptr;
}

std::unique_ptr<InstallLock> lockInstallationAround(const fs::path& file) {
    return lockInstallationOf(absoluteFolder(file).parent_path());
}

} // namespace analysis::cli
