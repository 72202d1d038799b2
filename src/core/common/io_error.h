// Errors the program reports to the user, worded so that a message box can show them as they are.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace analysis {

/// Base of every error the program shows to the user; what() is the whole message.
class AnalysisError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A file operation failed. The reason uses the wording users of the program know
/// ("File not found", "File access denied", "Read beyond end of file", "I/O error 5"),
/// and the message names the file: "File not found: /home/u/QuillmarshData/Analysis/Exec".
class IoError : public AnalysisError {
public:
    IoError(std::string reason, std::filesystem::path path);
    /// An error on path met while creating file (in path, or under it): the message names both.
    IoError(std::string reason, std::filesystem::path path, const std::filesystem::path& file);

    /// The error for a failed system call on path, from the call's errno value.
    static IoError fromErrno(int errorNumber, const std::filesystem::path& path);
    /// The error for a file that could not be created: when the folder it goes in is missing or
    /// is not a folder, the message names that folder first ("Folder not found: .../Exec (for
    /// .../Exec/Analysis.OPT)"), since the file itself was never there to be found.
    static IoError forCreating(int errorNumber, const std::filesystem::path& file);

    const std::string& reason() const noexcept { return reason_; }
    const std::filesystem::path& path() const noexcept { return path_; }

private:
    std::string reason_;
    std::filesystem::path path_;
};

/// The user-facing wording of an errno value ("File not found" for ENOENT, ...).
std::string ioErrorReason(int errorNumber);

} // namespace analysis
