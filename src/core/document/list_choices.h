// What the user chose in the report list, the ticks and the selection, kept across a rebuild
// of the list, and the report files the ticks name.
#pragma once

#include "core/document/report_list.h"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace analysis {

/// rebuilt with the user's choices of previous carried over by item text: an item whose text
/// was in previous gets that item's tick (with repeated texts the last one wins), any other
/// keeps the tick the rebuild gave it (every report but X ticked); the selection moves to the
/// last item whose text equals previous's selected item, else rebuilt's own stays. Every item
/// of previous counts, however long the list.
ReportList carryOverChoices(const ReportList& previous, ReportList rebuilt);

/// BuildReportList for settings (re-cutting E reports when settings.RecutEReports), with the
/// user's choices of previous carried over.
ReportList relistReports(const std::filesystem::path& installFolder,
                         std::span<const std::string> reportIndex, const ListSettings& settings,
                         const ReportList& previous);

/// The working files of the ticked reports of list, in list order.
std::vector<std::filesystem::path> tickedReportFiles(const std::filesystem::path& installFolder,
                                                     const ReportList& list);

} // namespace analysis
