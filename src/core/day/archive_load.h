// Bringing an archived analysis back as the day's analysis, keeping the day whole if it fails.
#pragma once

#include "core/common/io_error.h"
#include "core/day/outcome.h"
#include "core/document/report_list.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

/// The day as its files stand after a split: what the window lists and closing joins back.
struct SplitDay {
    /// Set once the text has been cut into report files; only then may closing rejoin them.
    std::optional<std::vector<std::string>> ReportIndex;
    std::vector<std::string> ScheduleLines;
    ReportList list;
};

/// An archive that cannot take the day's place: a folder stands under its name, or it holds no
/// report.
class ArchiveRefused : public AnalysisError {
public:
    ArchiveRefused(std::filesystem::path archive, std::string_view fault);

    const std::filesystem::path& archive() const noexcept { return archive_; }

private:
    std::filesystem::path archive_;
};

enum class ArchiveLoadStatus {
    NotFound, ///< no such archive: nothing was changed
    Loaded,   ///< the archive is the day's analysis now
    Failed,   ///< it could not be brought back; the message says why and what was kept
};

/// How an archive load ended.
struct [[nodiscard]] ArchiveLoad : Outcome<ArchiveLoadStatus> {
    using Status = ArchiveLoadStatus;
    /// The day now on disk, to be shown in place of the one before: the archive's when Loaded,
    /// the day as kept when Failed. Unset when the day's files were not touched.
    std::optional<SplitDay> day;
};

/// Replaces the day in installFolder with the archive "Archive"/name. currentIndex and
/// currentList are the day before: the reports it split (unset when none) and its list with the
/// user's ticks and selection. The current report files
/// are joined back into "Analysis.TXT" (RejoinAnalysis), the archive takes its place
/// (RestoreAnalysisText), and it is cut into report files and listed with settings, E reports
/// always re-cut, every report but X ticked.
///
/// Raises before anything changes when name is not valid (InvalidArchiveName), the folder
/// "Archive" is missing (IoError naming it; it is never created), "Archive"/name is a folder or
/// the archive holds no report (ArchiveRefused: a garbage file must not empty the day), the
/// archive cannot be read or holds a report code that cannot name a file, or the schedule file
/// cannot be read. A failure
/// once the day's files began to change is reported as Failed and never loses the day: if the
/// archive could not take the place of the rejoined text, that text is cut into report files
/// again and listed with the user's choices.
ArchiveLoad loadArchive(const std::filesystem::path& installFolder, std::string_view name,
                        const std::optional<std::vector<std::string>>& currentIndex,
                        const ReportList& currentList, ListSettings settings);

/// What to tell a user whose loaded archive lists nothing although it holds reports (reportIndex,
/// its codes): which of its report kinds the settings leave out, or that its tracks are not in
/// the groups chosen, and where to choose them. Nothing when list shows a report, or the archive
/// held none.
std::optional<std::string> hiddenArchiveNotice(std::span<const std::string> reportIndex,
                                               const ReportList& list,
                                               const ListSettings& settings);

} // namespace analysis
