// Finding the installation a verb writes into and holding its lock.
#include "cli/installation_guard.h"

#include <algorithm>

namespace analysis::cli {
namespace fs = std::filesystem;

namespace {

fs::path absoluteFolder(const fs::path& folder) {
    std::error_code error;
    fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : folder, error);
    if (error)
        absolute = folder;
    // "link/.." is the folder the link's target lies in, not the one the link lies in.
    fs::path real = fs::weakly_canonical(absolute, error);
    absolute = error ? absolute.lexically_normal() : real;
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
                                " is in use by another Analysis program (the window, or "
                                "analysis-tool writing into it); nothing was written. Close the "
                                "Analysis window, or wait for the other run, and try again.");
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

std::vector<std::unique_ptr<InstallLock>>
lockInstallationsAround(std::initializer_list<fs::path> files) {
    std::vector<std::unique_ptr<InstallLock>> held;
    for (const fs::path& file : files) {
        if (file.empty())
            continue;
        const fs::path folder = absoluteFolder(file).parent_path();
        // A lock this process already holds would only wait for itself.
        const bool alreadyHeld = std::any_of(held.begin(), held.end(), [&](const auto& lock) {
            return lock->path() == folder || lock->path() == folder.parent_path();
        });
        if (alreadyHeld)
            continue;
        if (auto lock = lockInstallationOf(folder))
            held.push_back(std::move(lock));
    }
    return held;
}

} // namespace analysis::cli
