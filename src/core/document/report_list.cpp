// Arranging the report list.
#include "core/document/report_list.h"

#include "core/document/report_index.h"
#include "core/document/track_groups.h"

#include <algorithm>
#include <string_view>

namespace analysis {
namespace {

std::string_view trackOf(std::string_view code) {
    return code.size() > 3 ? code.substr(3, 3) : std::string_view{};
}

struct ListedReports {
    std::vector<std::string> a, b, e, x;
};

ListedReports chooseReports(std::span<const std::string> reportIndex,
                            const ListSettings& settings) {
    ListedReports listed;
    for (const std::string& code : reportIndex) {
        if (code.empty() || settings.ReportKinds.find(code[0]) == std::string::npos)
            continue;
        if (!isTrackSelected(trackOf(code), settings.TrackGroups))
            continue;
        switch (code[0]) {
        case 'A':
            listed.a.push_back(code);
            break;
        case 'B':
            listed.b.push_back(code);
            break;
        case 'E':
            listed.e.push_back(code);
            break;
        case 'X':
            listed.x.push_back(code);
            break;
        default:
            break;
        }
    }
    return listed;
}

/// Appends spacers until the next item starts a new column.
void padColumn(std::vector<std::string>& items) {
    while (items.size() % ReportListColumn != 0)
        items.emplace_back();
}

/// Appends codes sorted, each track starting a new column.
void appendByTrack(std::vector<std::string>& items, std::vector<std::string> codes) {
    std::sort(codes.begin(), codes.end());
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (i > 0 && trackOf(codes[i]) != trackOf(codes[i - 1]))
            padColumn(items);
        items.push_back(codes[i]);
    }
    padColumn(items);
}

/// Appends the A reports in columns, each followed by a column holding, row for row, the X
/// report of the A report's track.
void appendPairedColumns(std::vector<std::string>& items, std::vector<std::string> aCodes,
                         const std::vector<std::string>& xCodes) {
    std::sort(aCodes.begin(), aCodes.end());
    for (std::size_t first = 0; first < aCodes.size(); first += ReportListColumn) {
        const std::size_t base = items.size();
        items.resize(base + 2 * ReportListColumn);
        for (std::size_t row = 0; row < ReportListColumn && first + row < aCodes.size(); ++row) {
            const std::string& aCode = aCodes[first + row];
            items[base + row] = aCode;
            for (const std::string& xCode : xCodes)
                if (trackOf(xCode) == trackOf(aCode))
                    items[base + ReportListColumn + row] = xCode;
        }
    }
}

} // namespace

ReportList arrangeReportList(std::span<const std::string> reportIndex,
                             const ListSettings& settings) {
    ListedReports listed = chooseReports(reportIndex, settings);
    ReportList list;
    appendByTrack(list.items, std::move(listed.b));
    appendByTrack(list.items, std::move(listed.e));
    appendPairedColumns(list.items, std::move(listed.a), listed.x);

    list.ticked.resize(list.items.size());
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        const std::string& item = list.items[i];
        list.ticked[i] = !item.empty() && item[0] != 'X';
        if (!item.empty() && list.selected < 0)
            list.selected = static_cast<int>(i);
    }
    return list;
}

ReportList BuildReportList(const std::filesystem::path& installFolder,
                           std::span<const std::string> reportIndex, const ListSettings& settings) {
    ReportList list = arrangeReportList(reportIndex, settings);
    if (settings.RecutEReports)
        for (const std::string& item : list.items)
            if (item.starts_with('E'))
                TrimEReport(installFolder, item, settings.EmaxLines);
    return list;
}

} // namespace analysis
