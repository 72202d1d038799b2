// The block split shared by the PCL and the canvas engines.
#include "core/print/page_balance.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <limits>

namespace analysis {

bool IsBlankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

std::vector<Block> GroupBlocks(std::span<const std::string> lines) {
    std::vector<Block> blocks;
    bool previousBlank = true;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (IsBlankLine(lines[static_cast<std::size_t>(i)])) {
            previousBlank = true;
            continue;
        }
        if (previousBlank) {
            blocks.push_back({i, 0});
            previousBlank = false;
        }
        ++blocks.back().count;
    }
    return blocks;
}

namespace {

/// Finds the cut of blocks into parts runs with the largest product of run sizes.
class ProductSearch {
public:
    ProductSearch(std::span<const Block> blocks, int parts, int maxLength)
        : parts_(parts), maxLength_(maxLength) {
        prefix_.push_back(0);
        for (const Block& block : blocks)
            prefix_.push_back(prefix_.back() + block.count);
        starts_.assign(static_cast<std::size_t>(parts), 0);
        best_ = starts_;
    }

    /// The first block of each run in the winning cut; at least one cut must keep every run
    /// within maxLength.
    std::vector<int> run() {
        search(1, 1);
        assert(bestProduct_ > 0);
        return best_;
    }

    /// Printed size of blocks [from, to): their lines plus one separator per gap.
    int size(int from, int to) const {
        return prefix_[static_cast<std::size_t>(to)] - prefix_[static_cast<std::size_t>(from)] +
               (to - from - 1);
    }

private:
    int blockCount() const { return static_cast<int>(prefix_.size()) - 1; }

    /// Chooses the first block of run `part`, ascending, each later run keeping one block.
    void search(int part, int firstCandidate) {
        if (part == parts_) {
            std::int64_t product = 1;
            for (int p = 0; p < parts_; ++p) {
                int to = p + 1 < parts_ ? starts_[static_cast<std::size_t>(p + 1)] : blockCount();
                int length = size(starts_[static_cast<std::size_t>(p)], to);
                if (length > maxLength_)
                    return;
                product *= length;
            }
            if (product > bestProduct_) {
                bestProduct_ = product;
                best_ = starts_;
            }
            return;
        }
        for (int start = firstCandidate; start <= blockCount() - (parts_ - part); ++start) {
            // The run before this one only grows with a later start.
            if (size(starts_[static_cast<std::size_t>(part - 1)], start) > maxLength_)
                break;
            starts_[static_cast<std::size_t>(part)] = start;
            search(part + 1, start + 1);
        }
    }

    int parts_;
    int maxLength_;
    std::vector<int> prefix_;
    std::vector<int> starts_;
    std::vector<int> best_;
    std::int64_t bestProduct_ = 0;
};

std::vector<Column> balanceWholeBlocks(std::span<const Block> blocks, int parts, int maxLength) {
    ProductSearch search(blocks, parts, maxLength);
    std::vector<int> starts = search.run();
    std::vector<Column> columns;
    for (int p = 0; p < parts; ++p) {
        int from = starts[static_cast<std::size_t>(p)];
        int to = p + 1 < parts ? starts[static_cast<std::size_t>(p + 1)]
                               : static_cast<int>(blocks.size());
        Column column;
        column.segments.assign(blocks.begin() + from, blocks.begin() + to);
        column.length = search.size(from, to);
        columns.push_back(std::move(column));
    }
    return columns;
}

/// Fewer blocks than parts: the printed sequence (lines, and one separator between blocks)
/// is dealt out in runs of `share` positions, one run a column. A separator that lands on the
/// first or the last position of a run is not printed.
std::vector<Column> balanceByLines(std::span<const Block> blocks, int parts) {
    int lines = 0;
    for (const Block& block : blocks)
        lines += block.count;
    int printed = lines + static_cast<int>(blocks.size()) - 1;
    int columnCount = std::min(parts, lines);
    int share = (printed + columnCount - 1) / columnCount;

    std::vector<Column> columns;
    int position = 0;
    bool separatorPending = false;
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        if (b > 0) {
            int offset = position % share;
            if (offset == 0)
                columns.emplace_back();
            else if (offset != share - 1)
                separatorPending = true;
            ++position;
        }
        for (int line = blocks[b].first; line < blocks[b].first + blocks[b].count; ++line) {
            if (position % share == 0) {
                columns.emplace_back();
                separatorPending = false;
            }
            Column& column = columns.back();
            if (separatorPending) {
                ++column.length;
                separatorPending = false;
                column.segments.push_back({line, 0});
            } else if (column.segments.empty() ||
                       column.segments.back().first + column.segments.back().count != line) {
                column.segments.push_back({line, 0});
            }
            ++column.segments.back().count;
            ++column.length;
            ++position;
        }
    }
    return columns;
}

} // namespace

std::vector<Column> BalancePages(std::span<const Block> blocks, int parts) {
    assert(parts >= 1);
    if (blocks.empty())
        return {Column{}};
    if (static_cast<int>(blocks.size()) >= parts)
        return balanceWholeBlocks(blocks, parts, std::numeric_limits<int>::max());
    return balanceByLines(blocks, parts);
}

std::vector<Column> balanceWithin(std::span<const Block> blocks, int parts, int maxLength) {
    assert(parts >= 1 && static_cast<int>(blocks.size()) >= parts);
    return balanceWholeBlocks(blocks, parts, maxLength);
}

} // namespace analysis
