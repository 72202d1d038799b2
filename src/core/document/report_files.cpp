// Report codes and the files named by them.
#include "core/document/report_files.h"

#include <algorithm>
#include <array>

namespace analysis {
namespace {

/// Files and folders of the program in the install folder that a report must never replace.
constexpr std::array<std::string_view, 9> ReservedNames = {
    "Analysis.TXT", "Analysis.PRN", "Analysis.PCL", "Analysis.TMP", "SimoDump.LST",
    "Exec",         "Data",         "Help",         "Archive"};

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

bool isSeparatorLine(std::string_view line) {
    return line.find('\f') != std::string_view::npos || line.find('\2') != std::string_view::npos;
}

} // namespace

UnsafeReportCode::UnsafeReportCode(std::string code)
    : AnalysisError("The report code \"" + code +
                    "\" cannot be used as a file name in the program folder"),
      code_(std::move(code)) {}

std::string reportCodeOf(std::string_view separatorLine) {
    if (!isSeparatorLine(separatorLine))
        return {};
    const std::size_t at = separatorLine.find('@');
    if (at == std::string_view::npos)
        return {};
    const std::string_view rest = separatorLine.substr(at + 1);
    const auto end = std::find_if(rest.begin(), rest.end(),
                                  [](char c) { return static_cast<unsigned char>(c) <= 32; });
    const auto length = static_cast<std::size_t>(end - rest.begin());
    return std::string(rest.substr(0, std::min(length, ReportCodeLimit)));
}

void checkReportCode(std::string_view code) {
    const bool leavesFolder = code.empty() || code == "." || code == ".." ||
                              code.find('/') != std::string_view::npos ||
                              code.find('\0') != std::string_view::npos;
    const bool reserved =
        std::any_of(ReservedNames.begin(), ReservedNames.end(),
                    [&](std::string_view name) { return equalsIgnoringCase(code, name); });
    if (leavesFolder || reserved)
        throw UnsafeReportCode(std::string(code));
}

std::filesystem::path workingFile(const std::filesystem::path& installFolder,
                                  std::string_view code) {
    checkReportCode(code);
    return installFolder / std::string(code);
}

std::filesystem::path twinFile(const std::filesystem::path& installFolder, std::string_view code) {
    checkReportCode(code);
    return installFolder / (std::string(code) + " ~");
}

} // namespace analysis
