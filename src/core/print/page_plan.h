// The page model both print engines walk: how many columns (pages) a report takes, which of
// its lines go in each column, and where each line of a column stands.
#pragma once

#include "core/print/page_balance.h"
#include "core/print/print_limits.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

/// Columns a report of storedLines lines takes at linesPerColumn lines a column, blank lines
/// counted: (storedLines - 1) / linesPerColumn + 1, at most MaxColumnsPerGroup.
int columnCount(int storedLines, int linesPerColumn);

/// True when the report holds more lines than MaxColumnsPerGroup columns of linesPerColumn.
bool exceedsCapacity(int storedLines, int linesPerColumn);

/// The columns of one report (canvas) or source page (PCL), in print order. A portrait layout
/// prints each column on a page of its own, a landscape layout two side by side on a sheet.
///
/// Within capacity (see exceedsCapacity) the report's blocks are spread over columnCount
/// columns by BalancePages, so a column may come out a little longer than linesPerColumn.
///
/// Beyond capacity nothing is dropped and no column is longer than linesPerColumn, so every
/// line prints at no less than the layout's nominal pitch:
///  1. A block longer than linesPerColumn is cut between lines into pieces of linesPerColumn
///     lines, the rest last; each piece then stands at the top of a column of its own.
///  2. The blocks (and pieces) are dealt in order into groups: each column of a group takes
///     them while its printed length (lines plus one separator per gap) stays within
///     linesPerColumn, and a group is closed when a block fits neither its last column nor a
///     further one of its MaxColumnsPerGroup. Every group but the last has MaxColumnsPerGroup
///     columns, so each group starts on a fresh sheet in landscape too.
///  3. Each group is balanced over as many columns as it was dealt into by the largest-product
///     rule of BalancePages, among the cuts that leave no column longer than linesPerColumn
///     (the dealt cut is one of them). Two pieces of one block never share a column.
/// A report without blocks gives one empty column.
std::vector<Column> planColumns(std::span<const std::string> lines, int linesPerColumn);

/// Walks one planned column top to bottom: calls place(y, text) for each printed line, with
/// an empty text for the separator between two segments. The first line stands at top, and
/// each line moves the pen down by step, but never by more than LargestLineAdvance.
template <typename Place>
void walkColumn(const Column& column, std::span<const std::string> lines, int top, int step,
                Place&& place) {
    const int advance = std::min(step, LargestLineAdvance);
    int y = top;
    for (std::size_t s = 0; s < column.segments.size(); ++s) {
        if (s > 0) {
            place(y, std::string_view());
            y += advance;
        }
        const Block& segment = column.segments[s];
        for (int i = segment.first; i < segment.first + segment.count; ++i) {
            place(y, std::string_view(lines[static_cast<std::size_t>(i)]));
            y += advance;
        }
    }
}

/// Walks a plan sheet by sheet with columnsPerSheet columns side by side: calls
/// drawColumn(column, slot) for each column, slot 0 being the leftmost of its sheet, and
/// endSheet(last) after the last column of each sheet, last telling whether more sheets follow.
template <typename DrawColumn, typename EndSheet>
void walkSheets(std::span<const Column> columns, int columnsPerSheet, DrawColumn&& drawColumn,
                EndSheet&& endSheet) {
    const auto perSheet = static_cast<std::size_t>(columnsPerSheet);
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const std::size_t slot = c % perSheet;
        drawColumn(columns[c], static_cast<int>(slot));
        const bool last = c + 1 == columns.size();
        if (slot + 1 == perSheet || last)
            endSheet(last);
    }
}

} // namespace analysis
