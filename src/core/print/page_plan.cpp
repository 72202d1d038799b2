// The page model both print engines walk.
#include "core/print/page_plan.h"

#include <cassert>
#include <iterator>

namespace analysis {

namespace {

/// The blocks with every block longer than a column cut into column-long pieces.
std::vector<Block> cutLongBlocks(std::span<const Block> blocks, int linesPerColumn) {
    std::vector<Block> pieces;
    pieces.reserve(blocks.size());
    for (const Block& block : blocks) {
        for (int first = block.first; first < block.first + block.count; first += linesPerColumn)
            pieces.push_back({first, std::min(linesPerColumn, block.first + block.count - first)});
    }
    return pieces;
}

/// Deals pieces from `from` on into at most MaxColumnsPerGroup columns of at most
/// linesPerColumn printed lines each; returns how many columns they took and moves `from`
/// past the pieces dealt.
int dealtColumns(std::span<const Block> pieces, std::size_t& from, int linesPerColumn) {
    int columns = 0;
    int lastLength = 0;
    for (; from < pieces.size(); ++from) {
        const int count = pieces[from].count;
        if (columns > 0 && lastLength + 1 + count <= linesPerColumn) {
            lastLength += 1 + count;
        } else if (columns < MaxColumnsPerGroup) {
            ++columns;
            lastLength = count;
        } else {
            break;
        }
    }
    return columns;
}

std::vector<Column> planInGroups(std::span<const Block> blocks, int linesPerColumn) {
    const std::vector<Block> pieces = cutLongBlocks(blocks, linesPerColumn);
    std::vector<Column> plan;
    std::size_t next = 0;
    while (next < pieces.size()) {
        const std::size_t first = next;
        const int columns = dealtColumns(pieces, next, linesPerColumn);
        // The dealt cut keeps every column within linesPerColumn, so the balance has one.
        std::vector<Column> group =
            balanceWithin(std::span(pieces).subspan(first, next - first), columns, linesPerColumn);
        plan.insert(plan.end(), std::make_move_iterator(group.begin()),
                    std::make_move_iterator(group.end()));
    }
    if (plan.empty())
        plan.emplace_back();
    return plan;
}

} // namespace

int columnCount(int storedLines, int linesPerColumn) {
    assert(linesPerColumn > 0);
    return std::min((storedLines - 1) / linesPerColumn + 1, MaxColumnsPerGroup);
}

bool exceedsCapacity(int storedLines, int linesPerColumn) {
    return storedLines > MaxColumnsPerGroup * linesPerColumn;
}

std::vector<Column> planColumns(std::span<const std::string> lines, int linesPerColumn) {
    const int stored = static_cast<int>(lines.size());
    std::vector<Block> blocks = GroupBlocks(lines);
    if (!exceedsCapacity(stored, linesPerColumn))
        return BalancePages(blocks, columnCount(stored, linesPerColumn));
    return planInGroups(blocks, linesPerColumn);
}

} // namespace analysis
