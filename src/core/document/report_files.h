// Report codes and the names of each report's working file and twin in the install folder.
#pragma once

#include "core/common/io_error.h"
#include "core/installation/report_names.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace analysis {

/// A report code that cannot name a file of its own in the install folder: it would leave the
/// folder or overwrite one of the program's own files or folders.
class UnsafeReportCode : public AnalysisError {
public:
    explicit UnsafeReportCode(std::string code);

    const std::string& code() const noexcept { return code_; }

private:
    std::string code_;
};

/// The code a separator line starts, cut to 15 characters, or "" when the line starts no
/// report. A separator line holds a form feed or byte 2; its code is the run after the first
/// "@" up to the first byte of 32 or less.
std::string reportCodeOf(std::string_view separatorLine);

/// Raises UnsafeReportCode unless code can safely name a file in the install folder.
void checkReportCode(std::string_view code);

/// The working file of a report: the file the viewer shows and the print job prints.
std::filesystem::path workingFile(const std::filesystem::path& installFolder,
                                  std::string_view code);

/// The untouched copy of a report: the code, a blank and "~". A code never holds a blank, so
/// no code names a twin and distinct codes have distinct twins.
std::filesystem::path twinFile(const std::filesystem::path& installFolder, std::string_view code);

} // namespace analysis
