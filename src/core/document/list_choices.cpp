// Keeping the user's ticks and selection when the report list is rebuilt.
#include "core/document/list_choices.h"

#include "core/document/report_files.h"

#include <unordered_map>

namespace analysis {

ReportList carryOverChoices(const ReportList& previous, ReportList rebuilt) {
    std::unordered_map<std::string_view, bool> tickByText;
    for (std::size_t i = 0; i < previous.items.size(); ++i)
        tickByText[previous.items[i]] = i < previous.ticked.size() && previous.ticked[i];

    const bool hadSelection = previous.selected >= 0 &&
                              static_cast<std::size_t>(previous.selected) < previous.items.size();
    for (std::size_t i = 0; i < rebuilt.items.size(); ++i) {
        const std::string& text = rebuilt.items[i];
        if (auto found = tickByText.find(text); found != tickByText.end())
            rebuilt.ticked[i] = found->second;
        if (hadSelection && text == previous.items[static_cast<std::size_t>(previous.selected)])
            rebuilt.selected = static_cast<int>(i);
    }
    return rebuilt;
}

ReportList relistReports(const std::filesystem::path& installFolder,
                         std::span<const std::string> reportIndex, const ListSettings& settings,
                         const ReportList& previous) {
    return carryOverChoices(previous, BuildReportList(installFolder, reportIndex, settings));
}

std::vector<std::filesystem::path> tickedReportFiles(const std::filesystem::path& installFolder,
                                                     const ReportList& list) {
    std::vector<std::filesystem::path> files;
    for (std::size_t i = 0; i < list.items.size(); ++i)
        if (!list.items[i].empty() && i < list.ticked.size() && list.ticked[i])
            files.push_back(workingFile(installFolder, list.items[i]));
    return files;
}

} // namespace analysis
