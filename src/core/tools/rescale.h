// The scratch editor's post-pass: drops the lines marked with "!" inside value blocks and
// rescales the two value columns of each block so that their odds add up again.
#pragma once

#include "core/common/io_error.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace analysis {

/// Lines the post-pass reads are cut to this many characters.
inline constexpr std::size_t RescaleLineLimit = 127;

/// A file the post-pass will not rewrite in place: it is not a report, so cutting its lines
/// would destroy it.
class NotAReport : public AnalysisError {
public:
    NotAReport(std::filesystem::path file, std::string reason);

    const std::filesystem::path& file() const noexcept { return file_; }
    const std::string& reason() const noexcept { return reason_; }

private:
    std::filesystem::path file_;
    std::string reason_;
};

/// What a post-pass did, for a caller that wants to tell the user.
struct RescaleOutcome {
    std::size_t blocks = 0;       ///< block headers found
    std::size_t droppedLines = 0; ///< lines inside a block removed for their "!"
    std::size_t valueLines = 0;   ///< value lines written back with their fields rescaled
    std::size_t unreadFields = 0; ///< of their fields, those left as they were (not a number,
                                  ///< or -1.0)
};

/// The post-pass over a report's text, in memory.
///
/// A block starts after a header line (80 characters, the bars and down-tees of the value
/// columns at characters 70-78) and holds the value lines after it (80 characters, "." at 72
/// and 77). Inside a block a line with "!" is dropped; the first line that is neither a value
/// line nor marked ends the block and is written unchanged, never taken as the next header.
/// Each value line's two fields a and b become (a + 1) * S - 1, where S is the block's sum of
/// 1 / (value + 1) for that column, so the new values' sum of 1 / (value + 1) is 1; they are
/// written with one decimal right-aligned in 4 characters and cut to 4, with the leading zero of "
/// 0.x" blanked.
///
/// At the edges: a block may hold any number of value lines, all of them rescaled together; a
/// block that runs to the end of the text is rescaled and written as if a line had closed it;
/// a field that is not a number, or is -1.0 (whose odds are infinite), keeps its characters and
/// takes no part in its column's sum, and the line's other field is rescaled as usual. Lines are
/// cut to 127 characters; every line keeps its own line end (CR LF, a lone CR or LF, or none at
/// the end of the text), so a text without blocks comes back byte for byte.
std::string rescaleText(std::string_view text, RescaleOutcome* outcome = nullptr);

/// Runs the post-pass on file in place. The new text goes to a temporary file beside it that is
/// renamed over it, so a kill at any moment leaves the old file or the new one. IoError when the
/// file cannot be read or replaced, NotAReport when it holds a NUL byte, a line longer than 127
/// characters or no block header, since its cut lines could never be had back (a mistyped name
/// must not destroy a file); the file is then unchanged.
RescaleOutcome rescaleFile(const std::filesystem::path& file);

/// Saves an edit of a report file: the edited bytes after the post-pass replace file in one
/// step, so the report on disk is never the edit without its rescale. The edit is the user's own
/// text for the report, so it is saved whatever it holds.
RescaleOutcome saveScratchEdit(const std::filesystem::path& file, std::string_view editedBytes);

/// The post-pass on the working file of the report code in installFolder, as rescaleFile.
/// UnsafeReportCode when the code would name a file outside the folder.
RescaleOutcome RescaleAfterScratch(const std::filesystem::path& installFolder,
                                   std::string_view code);

} // namespace analysis
