// Wording of file errors.
#include "core/common/io_error.h"

#include <cerrno>

namespace analysis {

IoError::IoError(std::string reason, std::filesystem::path path)
    : AnalysisError(reason + ": " + path.string()), reason_(std::move(reason)),
      path_(std::move(path)) {}

IoError::IoError(std::string reason, std::filesystem::path path, const std::filesystem::path& file)
    : AnalysisError(reason + ": " + path.string() + " (for " + file.string() + ")"),
      reason_(std::move(reason)), path_(std::move(path)) {}

IoError IoError::fromErrno(int errorNumber, const std::filesystem::path& path) {
    return IoError(ioErrorReason(errorNumber), path);
}

IoError IoError::forCreating(int errorNumber, const std::filesystem::path& file) {
    if (errorNumber == ENOENT || errorNumber == ENOTDIR) {
        // The nearest folder up the path that is missing or is a file is the one at fault.
        std::filesystem::path folder = file.parent_path();
        std::filesystem::path fault;
        while (!folder.empty()) {
            std::error_code error;
            auto status = std::filesystem::status(folder, error);
            if (std::filesystem::is_directory(status))
                break;
            fault = folder;
            if (std::filesystem::exists(status))
                return IoError("Not a folder", fault, file);
            if (folder == folder.parent_path())
                break;
            folder = folder.parent_path();
        }
        if (!fault.empty())
            return IoError("Folder not found", fault, file);
    }
    return fromErrno(errorNumber, file);
}

std::string ioErrorReason(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return "File not found";
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return "File access denied";
    case EISDIR:
        return "A folder stands where the file should be";
    case ENOSPC:
    case EDQUOT:
        return "Disk full";
    case EFBIG:
        // The file-size limit set for this process, or the file system's largest file.
        return "File too large";
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
