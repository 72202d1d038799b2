// The installation lock on a lock file in the install folder.
#include "core/installation/install_lock.h"

#include "core/common/io_error.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace analysis {
namespace fs = std::filesystem;

namespace {

constexpr auto PollInterval = std::chrono::milliseconds(50);

} // namespace

InstallLock::InstallLock(fs::path installFolder)
    : path_(std::move(installFolder) / InstallLockName) {}

InstallLock::~InstallLock() {
    if (fd_ >= 0)
        ::close(fd_); // closing the only descriptor releases the lock
}

InstallLock::Result InstallLock::acquire(int timeoutMs) {
    if (fd_ < 0) {
        // Never through a link: a lock taken on whatever a planted link points to would guard
        // nothing, and creating through a dangling one would make a file outside the folder.
        // Close-on-exec, so a program started from here cannot keep the installation locked
        // after this process ends.
        fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            int error = errno;
            std::string reason =
                error == ELOOP ? std::string("it is a symbolic link") : ioErrorReason(error);
            failureText_ =
                "The installation lock " + path_.string() + " cannot be made (" + reason + ")";
            return Result::Unavailable;
        }
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0)
            return Result::Acquired;
        if (errno != EWOULDBLOCK && errno != EINTR) {
            failureText_ = "The installation lock " + path_.string() + " cannot be taken (" +
                           ioErrorReason(errno) + ")";
            return Result::Unavailable;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return Result::HeldByAnother;
        std::this_thread::sleep_for(PollInterval);
    }
}

bool isInstallFolder(const fs::path& folder) {
    std::error_code error;
    return fs::exists(fs::symlink_status(folder / InstallLockName, error)) ||
           fs::is_directory(folder / "Exec", error);
}

} // namespace analysis
