#include "core/print/page_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace analysis {
namespace {

/// A report of blocks of the given sizes with one blank line between them; line n of the
/// report reads "n".
std::vector<std::string> reportOfBlocks(std::initializer_list<int> sizes) {
    std::vector<std::string> lines;
    for (int size : sizes) {
        if (!lines.empty())
            lines.emplace_back();
        for (int i = 0; i < size; ++i)
            lines.push_back(std::to_string(lines.size()));
    }
    return lines;
}

std::vector<int> lengths(const std::vector<Column>& columns) {
    std::vector<int> result;
    for (const Column& column : columns)
        result.push_back(column.length);
    return result;
}

/// Checks what every plan must hold: each non-blank line once and in order, column lengths
/// that count one separator per gap, and never a separator inside a block.
void expectSoundPlan(const std::vector<std::string>& lines, const std::vector<Column>& columns) {
    std::vector<int> placed;
    for (const Column& column : columns) {
        int length = 0;
        for (std::size_t s = 0; s < column.segments.size(); ++s) {
            const Block& segment = column.segments[s];
            if (s > 0) {
                const Block& previous = column.segments[s - 1];
                EXPECT_LT(previous.first + previous.count, segment.first)
                    << "a separator inside a block before line " << segment.first;
                ++length;
            }
            for (int i = segment.first; i < segment.first + segment.count; ++i)
                placed.push_back(i);
            length += segment.count;
        }
        EXPECT_EQ(column.length, length);
    }
    std::vector<int> expected;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i)
        if (!IsBlankLine(lines[static_cast<std::size_t>(i)]))
            expected.push_back(i);
    EXPECT_EQ(placed, expected);
}

TEST(PagePlan, ColumnCountAndCapacityCountStoredLines) {
    struct Case {
        int stored, perColumn, columns;
        bool exceeds;
    };
    const Case cases[] = {
        {2, 90, 1, false},   {90, 90, 1, false},   {91, 90, 2, false},  {271, 90, 4, false},
        {360, 90, 4, false}, {361, 90, 4, true},   {1000, 90, 4, true}, {480, 120, 4, false},
        {481, 120, 4, true}, {624, 156, 4, false}, {625, 156, 4, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(columnCount(c.stored, c.perColumn), c.columns) << c.stored << "/" << c.perColumn;
        EXPECT_EQ(exceedsCapacity(c.stored, c.perColumn), c.exceeds)
            << c.stored << "/" << c.perColumn;
    }
}

TEST(PagePlan, WithinCapacityTheReportIsBalancedOverItsColumnCount) {
    // Blocks of 30, 20, 25 and 10 lines: 88 stored lines on one page, or two columns of 51 and
    // 36 when a page holds 60; the balance may leave a column longer than the nominal count.
    const std::vector<std::string> lines = reportOfBlocks({30, 20, 25, 10});
    EXPECT_EQ(lengths(planColumns(lines, 90)), std::vector<int>{88});
    EXPECT_EQ(lengths(planColumns(lines, 60)), (std::vector<int>{51, 36}));
    EXPECT_EQ(lengths(planColumns(lines, 22)), (std::vector<int>{30, 20, 25, 10}));
    // Fewer blocks than columns: the one block is cut between lines into even columns.
    std::vector<std::string> single = reportOfBlocks({280});
    EXPECT_EQ(lengths(planColumns(single, 70)), (std::vector<int>{70, 70, 70, 70}));
    single = reportOfBlocks({279});
    EXPECT_EQ(lengths(planColumns(single, 70)), (std::vector<int>{70, 70, 70, 69}));
}

TEST(PagePlan, BeyondCapacityGroupsOfFourKeepEveryColumnWithinTheNominalCount) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        int perColumn;
        std::vector<int> lengths;
    };
    const Case cases[] = {
        // 100 blocks of 9: nine blocks (89 lines) a column, groups of 36, 36 and 28 blocks; the
        // last group balances to seven blocks a column.
        {"1000 lines in blocks of nine",
         [] {
             std::vector<std::string> lines;
             for (int n = 1; n <= 1000; ++n)
                 lines.push_back(n % 10 == 0 ? "" : std::to_string(n));
             return lines;
         }(),
         90,
         {89, 89, 89, 89, 89, 89, 89, 89, 69, 69, 69, 69}},
        // One block is cut into column-long pieces, the rest last.
        {"one block of 1000 lines",
         reportOfBlocks({1000}),
         90,
         {90, 90, 90, 90, 90, 90, 90, 90, 90, 90, 90, 10}},
        {"a long block after a short one starts a column",
         reportOfBlocks({5, 400}),
         90,
         {5, 90, 90, 90, 90, 40}},
        // The second group, 1, 5, 2 and 2, was dealt into three columns; its largest product
        // (7 x 2 x 2) would overfill a column, so the best cut that fits wins: 1, 5, 2 + 2.
        {"the balance keeps within the nominal count",
         reportOfBlocks({6, 6, 6, 6, 1, 5, 2, 2}),
         6,
         {6, 6, 6, 6, 1, 5, 5}},
        // Blank lines count towards the capacity but print nothing: one short column.
        {"mostly blank",
         [] {
             std::vector<std::string> lines(400, " ");
             lines[10] = "a";
             lines[11] = "b";
             return lines;
         }(),
         90,
         {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(exceedsCapacity(static_cast<int>(c.lines.size()), c.perColumn));
        std::vector<Column> columns = planColumns(c.lines, c.perColumn);
        EXPECT_EQ(lengths(columns), c.lengths);
        expectSoundPlan(c.lines, columns);
    }
}

TEST(PagePlan, EveryPlanIsSoundAndBeyondCapacityNoColumnIsLong) {
    // Pseudo-random reports around and far beyond the capacity of a 20-line column.
    unsigned seed = 12345;
    auto next = [&seed](int bound) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(bound));
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> lines;
        const int target = 20 + next(200);
        while (static_cast<int>(lines.size()) < target)
            lines.push_back(next(4) == 0 ? "" : "x" + std::to_string(lines.size()));
        std::vector<Column> columns = planColumns(lines, 20);
        SCOPED_TRACE(round);
        expectSoundPlan(lines, columns);
        if (exceedsCapacity(static_cast<int>(lines.size()), 20)) {
            for (const Column& column : columns)
                EXPECT_LE(column.length, 20);
        } else {
            EXPECT_LE(columns.size(), 4u);
        }
    }
}

TEST(PagePlan, ColumnWalkPlacesSeparatorsAndCapsTheAdvance) {
    const std::vector<std::string> lines{"a", "b", "", "c"};
    const Column column{{{0, 2}, {3, 1}}, 4};
    std::vector<std::pair<int, std::string>> placed;
    auto place = [&placed](int y, std::string_view text) { placed.emplace_back(y, text); };
    walkColumn(column, lines, 90, 100, place);
    EXPECT_EQ(placed, (std::vector<std::pair<int, std::string>>{
                          {90, "a"}, {190, "b"}, {290, ""}, {390, "c"}}));
    placed.clear();
    walkColumn(column, lines, 75, 400, place);
    EXPECT_EQ(placed.back().first, 75 + 3 * LargestLineAdvance);
}

TEST(PagePlan, SheetWalkEndsEachSheetAfterItsLastColumn) {
    const std::vector<Column> columns(5);
    for (int perSheet : {1, 2}) {
        std::string walk;
        walkSheets(
            std::span<const Column>(columns), perSheet,
            [&walk](const Column&, int slot) { walk += std::to_string(slot); },
            [&walk](bool last) { walk += last ? "." : "|"; });
        EXPECT_EQ(walk, perSheet == 1 ? "0|0|0|0|0." : "01|01|0.");
    }
}

} // namespace
} // namespace analysis
