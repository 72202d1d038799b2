// Cutting the analysis text into report files, re-cutting E reports, and joining them back.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

/// One report of the analysis text as the split cuts it: its code and its lines, each ended by
/// CR LF. These are the bytes of both of its files when the split writes them.
struct CutReport {
    std::string code;
    std::string lines;
};

/// The reports of text in text order, each code once: a report whose code was met before is
/// appended to the first one. Lines before the first report belong to no report. Every code is
/// checked (UnsafeReportCode).
std::vector<CutReport> cutReports(std::string_view text);

/// Cuts text into its reports and writes each report's working file and twin into folder; the
/// lines are written with CR LF. Returns the report codes in text order, each once: a report
/// whose code was met before is appended to the files of the first one. Lines before the first
/// report belong to no report. Every code is checked before any file is written
/// (UnsafeReportCode); on any failure the files written so far are removed and the error is
/// raised.
std::vector<std::string> splitAnalysisText(std::string_view text,
                                           const std::filesystem::path& folder);

/// The report codes of text in text order, each once, as splitAnalysisText returns them, without
/// writing anything; UnsafeReportCode as the split raises it.
std::vector<std::string> reportCodesOf(std::string_view text);

/// splitAnalysisText of installFolder/"Analysis.TXT", which is left as it is.
std::vector<std::string> SplitAnalysis(const std::filesystem::path& installFolder);

/// The lines of an E report (its twin's bytes) with every horse keeping at most limit (clamped
/// to 1..14) performance lines and the spacer lines between them, each line cut to 127
/// characters and ended by CR LF.
std::string trimmedEReport(std::string_view twin, int limit);

/// Rewrites the working file of an E report from its twin as trimmedEReport cuts it.
void TrimEReport(const std::filesystem::path& installFolder, std::string_view code, int limit);

/// What RejoinAnalysis did with "Analysis.TXT".
enum class RejoinOutcome {
    Joined,       ///< the text was rebuilt from the report files, which are gone
    NothingSplit, ///< the text holds no reports, or does not exist: left as it is
    /// None of the reports has a file: another writer put the day away (or the files were
    /// removed by hand). The text is left as it is rather than replaced by an empty one.
    ReportFilesMissing,
};

/// Rebuilds installFolder/"Analysis.TXT" from the reports of reportIndex in order, E reports
/// from their untrimmed twins, then deletes the report files. The new text replaces the old in
/// one step and the report files go only after it, so an interruption leaves either the old
/// text with the report files or the new text. A report whose preferred file is missing is
/// taken from its other file. Nothing happens when "Analysis.TXT" does not exist, when the
/// index is empty, or when not one of the reports has a file.
RejoinOutcome RejoinAnalysis(const std::filesystem::path& installFolder,
                             std::span<const std::string> reportIndex);

/// The bytes a report file is known to hold without reading it (the file as it was written, or
/// one still to be written), or nothing when only the file itself can tell.
using KnownReportFile = std::function<std::optional<std::string>(const std::filesystem::path&)>;

/// RejoinAnalysis taking each report file from known where it can, and reading only the rest.
/// A file known counts as there, whether or not it has reached the disk yet.
RejoinOutcome RejoinAnalysis(const std::filesystem::path& installFolder,
                             std::span<const std::string> reportIndex,
                             const KnownReportFile& known);

} // namespace analysis
