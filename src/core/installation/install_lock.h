// One writer per installation: the lock the window holds for its whole life and analysis-tool
// takes around every write into an installation.
#pragma once

#include <filesystem>
#include <string>

namespace analysis {

/// The lock file earlier versions kept in the install folder; a folder that holds one is an
/// installation.
inline constexpr std::string_view InstallLockName = "!Analysis@@@.lock";

/// An exclusive lock on one install folder, held on the folder itself until this object goes
/// (or the process ends). The kernel lets go of the lock when the holder dies, so a killed copy
/// never blocks the next one; and since no file inside the folder is needed, nothing planted at
/// a name there (a folder, a link, a file of another user) can keep the lock from being taken.
/// Every copy that writes into the installation meets the same lock, whatever path it took to
/// the folder, its runtime folder or its user session.
class InstallLock {
public:
    enum class Result {
        Acquired,
        HeldByAnother, ///< another process holds the installation
        Unavailable,   ///< the folder cannot be opened; failureText() says why
    };

    /// The lock of installFolder (not taken yet).
    explicit InstallLock(std::filesystem::path installFolder);
    ~InstallLock();
    InstallLock(const InstallLock&) = delete;
    InstallLock& operator=(const InstallLock&) = delete;

    /// Waits up to timeoutMs for the lock.
    Result acquire(int timeoutMs);

    /// Why the lock could not be taken, naming the folder; after Result::Unavailable.
    const std::string& failureText() const noexcept { return failureText_; }

    /// The install folder.
    const std::filesystem::path& path() const noexcept { return path_; }

private:
    std::filesystem::path path_;
    std::string failureText_;
    int fd_ = -1;
};

/// True when folder is a program installation another writer could be using: it holds the
/// program's "Exec" folder, or the lock file of an earlier version.
bool isInstallFolder(const std::filesystem::path& folder);

} // namespace analysis
