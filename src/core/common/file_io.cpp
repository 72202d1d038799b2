// POSIX file access behind the engines' file helpers.
#include "core/common/file_io.h"

#include "core/common/io_error.h"
#include "core/common/temporary_files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace analysis {
namespace fs = std::filesystem;

namespace {

[[noreturn]] void throwErrno(const fs::path& path) {
    throw IoError::fromErrno(errno, path);
}

/// The error for path when what stands there, of the given mode, is not a regular file.
IoError notAFile(mode_t mode, const fs::path& path) {
    if (S_ISDIR(mode))
        return IoError::fromErrno(EISDIR, path);
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return IoError("A device stands where the file should be", path);
    if (S_ISFIFO(mode))
        return IoError("A pipe stands where the file should be", path);
    if (S_ISSOCK(mode))
        return IoError("A socket stands where the file should be", path);
    return IoError("Something other than a file stands where the file should be", path);
}

/// Refuses what fd has open when it is not a regular file: whatever took path's place after it
/// was looked at.
void requireOpenFile(int fd, const fs::path& path) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        int error = errno;
        ::close(fd);
        throw IoError::fromErrno(error, path);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        throw notAFile(info.st_mode, path);
    }
}

int openForReading(const fs::path& path) {
    requireFileOrNothing(path);
    // Non-blocking, so a pipe put there since is refused rather than waited on.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throwErrno(path);
    requireOpenFile(fd, path);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

/// Reads up to size bytes, retrying after signals; returns how many were read (0 at the end).
std::size_t readSome(int fd, char* data, std::size_t size, const fs::path& path) {
    for (;;) {
        ssize_t n = ::read(fd, data, size);
        if (n >= 0)
            return static_cast<std::size_t>(n);
        if (errno != EINTR)
            throwErrno(path);
    }
}

void writeAll(int fd, std::string_view bytes, const fs::path& path) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throwErrno(path);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

} // namespace

bool fileExists(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

void DeleteIfExists(const fs::path& path) {
    if (fileExists(path) && ::unlink(path.c_str()) != 0 && errno != ENOENT)
        throwErrno(path);
}

void requireReadableFile(const fs::path& path) {
    ::close(openForReading(path));
}

void requireFileOrNothing(const fs::path& path) {
    // Looked at without opening it: opening a pipe waits for the other end, and opening a
    // device can set it going.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        throw notAFile(info.st_mode, path);
}

std::string readFile(const fs::path& path) {
    int fd = openForReading(path);
    std::string content;
    try {
        struct stat info {};
        if (::fstat(fd, &info) == 0 && info.st_size > 0)
            content.reserve(static_cast<std::size_t>(info.st_size));
        char block[65536];
        while (std::size_t n = readSome(fd, block, sizeof block, path))
            content.append(block, n);
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    return content;
}

void writeFileAtomically(const fs::path& path, std::string_view bytes) {
    OutputFile file(path, OutputFile::Mode::Replace);
    file.write(bytes);
    file.commit();
}

ChunkReader::ChunkReader(const fs::path& path, std::size_t chunkSize)
    : path_(path), buffer_(chunkSize, '\0'), fd_(openForReading(path)) {}

ChunkReader::~ChunkReader() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::string_view ChunkReader::next() {
    std::size_t n = readSome(fd_, buffer_.data(), buffer_.size(), path_);
    return {buffer_.data(), n};
}

OutputFile::OutputFile(fs::path path, Mode mode) : path_(std::move(path)), mode_(mode) {
    if (mode_ == Mode::Replace) {
        fd_ = createFileBeside(path_, tempPath_);
    } else {
        requireFileOrNothing(path_);
        // Never through a link: one planted in the folder under a file's name would carry the
        // write to wherever it points, or create a file outside the folder when it dangles.
        // Non-blocking, so a pipe put there since is refused rather than waited on.
        fd_ = ::open(path_.c_str(),
                     O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            requireOpenFile(fd_, path_);
            ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
        }
    }
    if (fd_ < 0)
        throw IoError::forCreating(errno, path_);
    buffer_.reserve(BufferSize);
}

OutputFile::~OutputFile() {
    // A direct file holds what was written to it, committed or not: buffered bytes are never
    // dropped without a word. Errors here cannot be raised; commit() is the call that reports.
    if (mode_ == Mode::Direct && fd_ >= 0 && !buffer_.empty()) {
        try {
            flush();
        } catch (...) {
        }
    }
    discard();
}

void OutputFile::write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > BufferSize)
        flush();
    if (bytes.size() >= BufferSize)
        writeAll(fd_, bytes, path_);
    else
        buffer_.append(bytes);
}

void OutputFile::writeLine(std::string_view line) {
    write(line);
    write("\r\n");
}

void OutputFile::flush() {
    writeAll(fd_, buffer_, path_);
    buffer_.clear();
}

void OutputFile::commit() {
    try {
        flush();
        // The data must be on disk before the rename makes it the user's file.
        if (mode_ == Mode::Replace && ::fsync(fd_) != 0)
            throwErrno(path_);
        int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            throwErrno(path_);
        if (mode_ == Mode::Replace) {
            replaceWithFile(tempPath_, path_);
            tempPath_.clear();
        }
    } catch (...) {
        discard();
        throw;
    }
}

void OutputFile::discard() noexcept {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

} // namespace analysis
