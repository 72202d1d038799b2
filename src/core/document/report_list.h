// Choosing the reports to list and arranging them in the two-column report list.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace analysis {

/// The settings that decide which reports are listed and how E reports are cut.
struct ListSettings {
    std::string ReportKinds;
    std::string TrackGroups;
    int EmaxLines = 7;
    bool RecutEReports = true;
};

/// The items of the list in order (an empty item is a spacer), their ticks, and the selected
/// item (-1 when the list has no report).
struct ReportList {
    std::vector<std::string> items;
    std::vector<bool> ticked;
    int selected = -1;

    friend bool operator==(const ReportList&, const ReportList&) = default;
};

/// Number of rows of a list column.
inline constexpr std::size_t ReportListColumn = 15;

/// The list for reportIndex: the B reports, then the E reports, each track from the top of a
/// new column; then columns of A reports, each with the X report of the same track on the same
/// row of the column to its right (the last X report of the track wins; X reports of a track
/// without a listed A report are left out). Kinds are sorted byte-wise. Every report except X
/// reports is ticked; the first report is selected.
ReportList arrangeReportList(std::span<const std::string> reportIndex,
                             const ListSettings& settings);

/// arrangeReportList, and with RecutEReports set every listed E report re-cut to EmaxLines
/// performances per horse (TrimEReport), so a changed limit shows at once.
ReportList BuildReportList(const std::filesystem::path& installFolder,
                           std::span<const std::string> reportIndex, const ListSettings& settings);

} // namespace analysis
