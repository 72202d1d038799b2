// Cutting the analysis text into report files, re-cutting E reports, and joining them back.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

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

/// Rewrites the working file of an E report from its twin so that every horse keeps at most
/// limit (clamped to 1..14) performance lines and the spacer lines between them. Lines are
/// read cut to 127 characters.
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

} // namespace analysis
