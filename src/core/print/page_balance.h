// Spreading a page of text over columns (PCL) or a report over pages (canvas): blocks of
// non-blank lines are kept whole where possible and the pieces are made as even as possible.
// The page plan both print engines walk (page_plan.h) is made with these functions.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

/// A run of consecutive stored lines, numbered from 0: lines [first, first + count).
struct Block {
    int first = 0;
    int count = 0;

    friend bool operator==(const Block&, const Block&) = default;
};

/// One planned column or page: its segments printed in order with exactly one blank
/// separator line between neighbouring segments.
struct Column {
    std::vector<Block> segments;
    /// Printed lines: the segments' lines plus one separator per gap between segments.
    int length = 0;

    friend bool operator==(const Column&, const Column&) = default;
};

/// True when every byte of line is a blank or a control byte (32 or below); bytes of 128 and
/// above are text. An empty line is blank.
bool IsBlankLine(std::string_view line);

/// The blocks of a page: maximal runs of consecutive non-blank lines. Blank lines only separate
/// blocks, so leading, trailing and repeated blank lines vanish from the plan.
std::vector<Block> GroupBlocks(std::span<const std::string> lines);

/// Cuts the blocks into parts (1 to 4) columns.
///
/// With at least as many blocks as parts, the columns are consecutive runs of whole blocks and
/// the cut with the largest product of column lengths wins; cuts are tried with the first cut
/// ascending, then the second, then the third, and a later candidate replaces the best only
/// with a strictly larger product, so the earliest of equal products wins.
///
/// With fewer blocks than parts no such cut exists; then the printed sequence (the blocks'
/// lines with one separator between blocks) is cut between lines into columns of at most
/// ceil(length / parts) lines, a separator falling at a column edge being dropped. Every line is
/// kept and no column is longer than an even share; fewer than parts columns come out when there
/// are too few lines to fill them. A page without blocks gives one empty column.
std::vector<Column> BalancePages(std::span<const Block> blocks, int parts);

/// Cuts at least parts blocks into parts columns of whole blocks by the largest-product rule of
/// BalancePages, trying only the cuts that leave no column longer than maxLength; at least one
/// such cut must exist.
std::vector<Column> balanceWithin(std::span<const Block> blocks, int parts, int maxLength);

} // namespace analysis
