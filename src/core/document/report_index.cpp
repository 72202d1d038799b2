// Splitting the analysis into report files and joining them back.
#include "core/document/report_index.h"

#include "core/common/file_io.h"
#include "core/common/text_lines.h"
#include "core/document/report_files.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace analysis {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view AnalysisTextName = "Analysis.TXT";
constexpr std::size_t TrimmedLineLimit = 127;

/// Removes the files of a failed split; the error being raised matters more than a file that
/// cannot be removed.
void removeQuietly(const std::vector<fs::path>& files) {
    for (const fs::path& file : files) {
        std::error_code ignored;
        fs::remove(file, ignored);
    }
}

bool contains(std::string_view line, std::string_view bytes) {
    return line.find(bytes) != std::string_view::npos;
}

/// A past-performance line of an E report's box: vertical bars at positions 42 and 64.
bool isPerformanceLine(std::string_view line) {
    constexpr char Bar = '\xB3';
    return line.size() >= 64 && line[41] == Bar && line[63] == Bar;
}

std::string boxEdge(char left, char tee, std::size_t barsAfterTee, std::string_view right) {
    constexpr char Bar = '\xC4';
    return left + std::string(8, Bar) + tee + std::string(barsAfterTee, Bar) + std::string(right);
}

void appendLines(OutputFile& out, std::string_view content) {
    LineReader lines(content);
    std::string_view line;
    while (lines.next(line))
        out.writeLine(line);
}

} // namespace

std::vector<CutReport> cutReports(std::string_view text) {
    std::vector<CutReport> reports;
    std::unordered_map<std::string, std::size_t> byCode;
    CutReport* current = nullptr;
    // Lines already ended by CR LF go to their report as they stand in the text, a run of them
    // at a time: a heavy day is hundreds of thousands of lines, and the window waits for this.
    std::size_t runBegin = 0, runEnd = 0;
    const auto flushRun = [&] {
        if (current != nullptr && runEnd > runBegin)
            current->lines.append(text.substr(runBegin, runEnd - runBegin));
        runBegin = runEnd = 0;
    };
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        std::string code = reportCodeOf(line);
        if (!code.empty()) {
            flushRun();
            checkReportCode(code);
            auto [found, added] = byCode.try_emplace(code, reports.size());
            if (added)
                reports.push_back({std::move(code), {}});
            current = &reports[found->second];
        }
        if (current == nullptr)
            continue;
        const std::size_t begin = static_cast<std::size_t>(line.data() - text.data());
        const std::size_t end = begin + line.size();
        if (text.substr(end, 2) == "\r\n") {
            if (runEnd != begin) {
                flushRun();
                runBegin = begin;
            }
            runEnd = end + 2;
        } else {
            flushRun();
            current->lines += line;
            current->lines += "\r\n";
        }
    }
    flushRun();
    return reports;
}

std::vector<std::string> splitAnalysisText(std::string_view text, const fs::path& folder) {
    const std::vector<CutReport> reports = cutReports(text);
    std::vector<fs::path> written;
    try {
        for (const CutReport& report : reports) {
            for (const fs::path& file :
                 {workingFile(folder, report.code), twinFile(folder, report.code)}) {
                OutputFile out(file);
                written.push_back(file);
                out.write(report.lines);
                out.commit();
            }
        }
    } catch (...) {
        removeQuietly(written);
        throw;
    }
    std::vector<std::string> index;
    index.reserve(reports.size());
    for (const CutReport& report : reports)
        index.push_back(report.code);
    return index;
}

std::vector<std::string> reportCodesOf(std::string_view text) {
    std::vector<std::string> codes;
    std::unordered_set<std::string> seen;
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        std::string code = reportCodeOf(line);
        if (code.empty())
            continue;
        checkReportCode(code);
        if (seen.insert(code).second)
            codes.push_back(std::move(code));
    }
    return codes;
}

std::vector<std::string> SplitAnalysis(const fs::path& installFolder) {
    return splitAnalysisText(readFile(installFolder / AnalysisTextName), installFolder);
}

std::string trimmedEReport(std::string_view twin, int limit) {
    static const std::string BoxTop = boxEdge('\xDA', '\xC2', 7, "");
    static const std::string BoxBottom = boxEdge('\xC0', '\xC1', 12, "\xD9");
    limit = std::clamp(limit, 1, 14);

    std::string trimmed;
    trimmed.reserve(twin.size());
    bool inBox = false;
    int count = 0;
    LineReader lines(twin);
    std::string_view line;
    while (lines.next(line)) {
        line = line.substr(0, TrimmedLineLimit);
        if (contains(line, BoxTop)) {
            inBox = true;
            count = 0;
        }
        if (contains(line, BoxBottom)) {
            inBox = false;
            count = 0;
        }
        const bool performance = inBox && isPerformanceLine(line);
        if (performance)
            ++count;
        // After the last kept performance, the spacers that would lead to the next one go too.
        const bool drop = (inBox && count == limit && !performance) || count > limit;
        if (!drop) {
            trimmed += line;
            trimmed += "\r\n";
        }
    }
    return trimmed;
}

void TrimEReport(const fs::path& installFolder, std::string_view code, int limit) {
    const std::string trimmed = trimmedEReport(readFile(twinFile(installFolder, code)), limit);
    OutputFile out(workingFile(installFolder, code));
    out.write(trimmed);
    out.commit();
}

RejoinOutcome RejoinAnalysis(const fs::path& installFolder,
                             std::span<const std::string> reportIndex) {
    return RejoinAnalysis(installFolder, reportIndex,
                          [](const fs::path&) { return std::optional<std::string>(); });
}

RejoinOutcome RejoinAnalysis(const fs::path& installFolder,
                             std::span<const std::string> reportIndex,
                             const KnownReportFile& known) {
    const fs::path textFile = installFolder / AnalysisTextName;
    if (!fileExists(textFile) || reportIndex.empty())
        return RejoinOutcome::NothingSplit;

    struct ReportFiles {
        fs::path source, other;
    };
    std::vector<ReportFiles> reports;
    std::unordered_set<std::string_view> seen;
    for (const std::string& code : reportIndex) {
        if (!seen.insert(code).second)
            continue;
        ReportFiles files{workingFile(installFolder, code), twinFile(installFolder, code)};
        // E reports come back as delivered, not as re-cut for the list.
        if (code.starts_with('E'))
            std::swap(files.source, files.other);
        reports.push_back(std::move(files));
    }

    const auto there = [&known](const fs::path& file) {
        return known(file).has_value() || fileExists(file);
    };
    const bool anyReportFile = std::any_of(reports.begin(), reports.end(), [&](const auto& files) {
        return there(files.source) || there(files.other);
    });
    if (!anyReportFile)
        return RejoinOutcome::ReportFilesMissing;

    // Appends file when it is known or on disk; false when it is neither.
    const auto append = [&known](OutputFile& text, const fs::path& file) {
        if (const std::optional<std::string> bytes = known(file)) {
            appendLines(text, *bytes);
            return true;
        }
        if (!fileExists(file))
            return false;
        appendLines(text, readFile(file));
        return true;
    };
    OutputFile text(textFile, OutputFile::Mode::Replace);
    for (const ReportFiles& files : reports)
        if (!append(text, files.source))
            append(text, files.other);
    text.commit();

    for (const ReportFiles& files : reports) {
        DeleteIfExists(files.source);
        DeleteIfExists(files.other);
    }
    return RejoinOutcome::Joined;
}

} // namespace analysis
