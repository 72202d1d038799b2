// The program's temporary files and folders.
#include "core/common/temporary_files.h"

#include "core/common/file_io.h"
#include "core/common/io_error.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <string>
#include <system_error>
#include <unistd.h>

namespace analysis {
namespace fs = std::filesystem;

int createFileBeside(const fs::path& target, fs::path& created) {
    requireFileOrNothing(target);
    static thread_local std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = target;
        created += ".tmp" + std::to_string(random() % 1000000000);
        // 0666 lets the user's umask decide, as for any other file the program writes.
        int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            throw IoError::forCreating(errno, target);
    }
    throw IoError::fromErrno(EEXIST, target);
}

void replaceWithFile(const fs::path& file, const fs::path& target) {
    requireFileOrNothing(target);
    if (::rename(file.c_str(), target.c_str()) != 0)
        throw IoError::fromErrno(errno, target);
}

FileBeside::FileBeside(fs::path target) : target_(std::move(target)) {
    ::close(createFileBeside(target_, path_));
}

FileBeside::~FileBeside() {
    if (!path_.empty())
        ::unlink(path_.c_str());
}

void FileBeside::replaceTarget() {
    // The writer closed the file without syncing it; the data must be on disk before the
    // rename makes it the user's file, and a write the disk refused late shows up here.
    int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw IoError::fromErrno(errno, target_);
    int synced = ::fsync(fd);
    int syncError = errno;
    ::close(fd);
    if (synced != 0)
        throw IoError::fromErrno(syncError, target_);
    replaceWithFile(path_, target_);
    path_.clear();
}

std::optional<IoError> FileBeside::diskError() const {
    int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return IoError::fromErrno(errno, target_);
    // A write error the writer left unseen is still there for fsync to report; otherwise the
    // disk is asked again: on a full disk, appending a few blocks more fails as the writer did.
    int error = ::fsync(fd) == 0 ? 0 : errno;
    static constexpr char Block[65536] = {};
    for (int attempt = 0; error == 0 && attempt < 16; ++attempt) {
        if (::write(fd, Block, sizeof Block) < 0 && errno != EINTR)
            error = errno;
    }
    ::close(fd);
    if (error == 0)
        return std::nullopt;
    return IoError::fromErrno(error, target_);
}

fs::path systemTemporaryFolder() {
    const char* tmpdir = std::getenv("TMPDIR");
    return tmpdir != nullptr && *tmpdir != '\0' ? fs::path(tmpdir) : fs::path("/tmp");
}

TemporaryFolder::TemporaryFolder(std::string_view prefix) {
    fs::path parent = systemTemporaryFolder();
    std::string pattern = (parent / (std::string(prefix) + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw IoError("Cannot create a temporary folder (" + ioErrorReason(errno) + ")", parent);
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    // Walking the folder allocates, and this may run while out of memory: a folder left behind
    // is better than an exception leaving a destructor, which ends the program.
    try {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    } catch (...) {
    }
}

} // namespace analysis
