// The names a report's files may take in the install folder, known below the documents so that a
// start can tell what a report left behind from the user's own files.
#pragma once

#include <cstddef>
#include <string_view>

namespace analysis {

/// Longest report code kept; the files of a report are named by this same cut code.
inline constexpr std::size_t ReportCodeLimit = 15;

/// True when code can name a file of its own in the install folder: it is neither empty, "." nor
/// "..", holds no "/" or NUL, and is none of the program's own files or folders there, whatever
/// the case of its letters.
bool isSafeReportCode(std::string_view code);

/// True when name is one a report's working file has: a safe code as a separator line gives it,
/// at most 15 bytes and none of them a blank or a control character.
bool isReportFileName(std::string_view name);

} // namespace analysis
