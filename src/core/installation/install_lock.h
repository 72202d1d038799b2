// One writer per installation: the lock the window holds for its whole life and analysis-tool
// takes around every write into an installation.
#pragma once

#include <filesystem>
#include <string>

namespace analysis {

/// The lock file's name in the install folder; it keeps the program's single-instance name.
inline constexpr std::string_view InstallLockName = "!Analysis@@@.lock";

/// An exclusive lock on one install folder, held on the lock file InstallLockName inside it
/// until this object goes (or the process ends). The kernel lets go of the lock when the holder
/// dies, so a lock file left behind by a killed copy never blocks the next one. Because the lock
/// lives with the installation, every copy that writes into it meets the same lock, whatever its
/// runtime folder or user session.
class InstallLock {
public:
    enum class Result {
        Acquired,
        HeldByAnother, ///< another process holds the installation
        Unavailable,   ///< the lock file cannot be made or opened; failureText() says why
    };

    /// The lock of installFolder (not taken yet).
    explicit InstallLock(std::filesystem::path installFolder);
    ~InstallLock();
    InstallLock(const InstallLock&) = delete;
    InstallLock& operator=(const InstallLock&) = delete;

    /// Waits up to timeoutMs for the lock.
    Result acquire(int timeoutMs);

    /// Why the lock could not be made, naming the lock file; after Result::Unavailable.
    const std::string& failureText() const noexcept { return failureText_; }

    /// The lock file.
    const std::filesystem::path& path() const noexcept { return path_; }

private:
    std::filesystem::path path_;
    std::string failureText_;
    int fd_ = -1;
};

/// True when folder is a program installation another writer could be using: it holds the lock
/// file (a window has run there) or the program's "Exec" folder.
bool isInstallFolder(const std::filesystem::path& folder);

} // namespace analysis
