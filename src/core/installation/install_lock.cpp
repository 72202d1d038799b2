// The installation lock on the install folder itself.
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

InstallLock::InstallLock(fs::path installFolder) : path_(std::move(installFolder)) {}

InstallLock::~InstallLock() {
    if (fd_ >= 0)
        ::close(fd_); // closing the only descriptor releases the lock
}

InstallLock::Result InstallLock::acquire(int timeoutMs) {
    if (fd_ < 0) {
        // The folder itself, whatever path leads to it: every copy locks the same folder, and
        // reading it is all the lock needs. Close-on-exec, so a program started from here cannot
        // keep the installation locked after this process ends.
        fd_ = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0) {
            failureText_ = "The installation folder " + path_.string() + " cannot be locked (" +
                           ioErrorReason(errno) + ")";
            return Result::Unavailable;
        }
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0)
            return Result::Acquired;
        if (errno != EWOULDBLOCK && errno != EINTR) {
            failureText_ = "The installation folder " + path_.string() + " cannot be locked (" +
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
