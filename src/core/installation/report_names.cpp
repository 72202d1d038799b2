// The names of report files, and the program's own names in the install folder they never take.
#include "core/installation/report_names.h"

#include "core/installation/install_folders.h"

#include <algorithm>
#include <array>

namespace analysis {
namespace {

/// Files and folders of the program in the install folder that a report must never replace.
constexpr std::array<std::string_view, 9> ReservedNames = {
    files::AnalysisText, files::PrintFile, files::PclFile, files::ScratchFile,
    files::Schedule,     "Exec",           "Data",         "Help",
    files::ArchiveFolder};

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

bool isSafeReportCode(std::string_view code) {
    const bool leavesFolder = code.empty() || code == "." || code == ".." ||
                              code.find('/') != std::string_view::npos ||
                              code.find('\0') != std::string_view::npos;
    const bool reserved =
        std::any_of(ReservedNames.begin(), ReservedNames.end(),
                    [&](std::string_view name) { return equalsIgnoringCase(code, name); });
    return !leavesFolder && !reserved;
}

bool isReportFileName(std::string_view name) {
    // A separator line's code ends at the first byte of 32 or less and is cut to the limit.
    return name.size() <= ReportCodeLimit &&
           std::none_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) <= 32; }) &&
           isSafeReportCode(name);
}

} // namespace analysis
