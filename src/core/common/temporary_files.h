// The program's temporary files and folders: where they go, how they are named, and that they
// never outlive the work they serve.
#pragma once

#include "core/common/io_error.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace analysis {

/// Creates a new file beside target, named target + ".tmp" + digits, open for writing; the
/// name is never one that exists, so two writers never share a temporary. Returns the open
/// descriptor and sets created. IoError naming target when no file can be made there, or when
/// something other than a file stands at target (requireFileOrNothing), which a file made to
/// replace it must never take the place of.
int createFileBeside(const std::filesystem::path& target, std::filesystem::path& created);

/// Renames the finished file over target, unless something other than a file has come to stand
/// there meanwhile; IoError naming target when it cannot.
void replaceWithFile(const std::filesystem::path& file, const std::filesystem::path& target);

/// A new empty file beside target, for a writer that needs a path rather than a descriptor
/// (a PDF writer, say). replaceTarget() renames it over target in one step; otherwise it is
/// removed when this goes, and target stays as it was. Such writers often say nothing when a
/// write fails, so the caller checks what they wrote and asks diskError() why it is short.
class FileBeside {
public:
    explicit FileBeside(std::filesystem::path target);
    ~FileBeside();
    FileBeside(const FileBeside&) = delete;
    FileBeside& operator=(const FileBeside&) = delete;

    const std::filesystem::path& path() const noexcept { return path_; }

    /// Puts the file on disk and makes it target; IoError naming target when either fails.
    void replaceTarget();

    /// For a writer that keeps its write errors to itself: the error the disk gives a write to
    /// the file now ("Disk full" when it is full), naming target; nothing when the write goes.
    std::optional<IoError> diskError() const;

private:
    std::filesystem::path target_;
    std::filesystem::path path_;
};

/// A new folder of its own under the system's temporary folder (TMPDIR, else /tmp), removed
/// with everything in it when this goes. IoError naming the temporary folder when it cannot be
/// made there (a TMPDIR that names no folder, say).
class TemporaryFolder {
public:
    explicit TemporaryFolder(std::string_view prefix = "analysis");
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const noexcept { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return path_ / name;
    }

private:
    std::filesystem::path path_;
};

/// The system's temporary folder: TMPDIR when set and not empty, else /tmp.
std::filesystem::path systemTemporaryFolder();

} // namespace analysis
