// The texts carried inside the program: the help pages and the sample schedule.
#pragma once

#include <filesystem>
#include <string_view>

namespace analysis {

/// The bytes of the embedded text name: 'A' and 'X' (the A report guide), 'E' (the E report
/// guide), 'B' (a sample E report page), 'Z' (the schedule). Code page 437 with CR LF line
/// ends. Raises AnalysisError for any other name.
std::string_view EmbeddedResource(char name);

/// Writes the embedded text name to path, replacing the file. Raises IoError with the reason
/// "Cannot create file" when the file cannot be written (a missing folder, say).
void ExtractResource(char name, const std::filesystem::path& path);

} // namespace analysis
