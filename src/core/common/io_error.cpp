// Wording of file errors.
#include "core/common/io_error.h"

#include <cerrno>

namespace analysis {

IoError::IoError(std::string reason, std::filesystem::path path)
    : AnalysisError(reason + ": " + path.string()), reason_(std::move(reason)),
      path_(std::move(path)) {}

IoError IoError::fromErrno(int errorNumber, const std::filesystem::path& path) {
    return IoError(ioErrorReason(errorNumber), path);
}

std::string ioErrorReason(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return "File not found";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return "File access denied";
    case ENOSPC:
    case EDQUOT:
        return "Disk full";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case ELOOP:
        // Only ever raised for the last part of a name the program opens without following.
        return "Not written through the symbolic link that stands there";
    case ENAMETOOLONG:
    case EINVAL:
        return "Invalid filename";
    default:
        return "I/O error " + std::to_string(errorNumber);
    }
}

} // namespace analysis
