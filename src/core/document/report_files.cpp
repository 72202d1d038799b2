// Report codes and the files named by them.
#include "core/document/report_files.h"

#include <algorithm>

namespace analysis {
namespace {

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
    if (!isSafeReportCode(code))
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
