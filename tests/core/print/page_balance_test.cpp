#include "core/print/page_balance.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace analysis {
namespace {

/// Blocks of the given sizes, laid out as a page with one blank line between them.
std::vector<Block> blocksOfSizes(std::initializer_list<int> sizes) {
    std::vector<Block> blocks;
    int line = 0;
    for (int size : sizes) {
        blocks.push_back({line, size});
        line += size + 1;
    }
    return blocks;
}

std::vector<int> lengths(const std::vector<Column>& columns) {
    std::vector<int> result;
    for (const Column& column : columns)
        result.push_back(column.length);
    return result;
}

std::vector<std::size_t> blocksPerColumn(const std::vector<Column>& columns) {
    std::vector<std::size_t> result;
    for (const Column& column : columns)
        result.push_back(column.segments.size());
    return result;
}

TEST(GroupBlocks, BlankLinesOnlySeparate) {
    std::vector<std::string> lines{"", " \t", "a", "b", "", "", "\x01", "c", "\xb3", ""};
    EXPECT_EQ(GroupBlocks(lines), (std::vector<Block>{{2, 2}, {7, 2}}));
}

TEST(IsBlankLine, BytesAbove127AreText) {
    EXPECT_TRUE(IsBlankLine(""));
    EXPECT_TRUE(IsBlankLine(" \x0c\x1f "));
    EXPECT_FALSE(IsBlankLine("  \xc4"));
}

struct ProductCase {
    std::initializer_list<int> sizes;
    int parts;
    std::vector<int> expectedLengths;
    std::vector<std::size_t> expectedBlocks;
};

TEST(BalancePages, LargestProductWinsEarliestOnTies) {
    const ProductCase cases[] = {
        // 30, 20, 25, 10 in two columns: 51 x 36 beats 30 x 57 and 77 x 10.
        {{30, 20, 25, 10}, 2, {51, 36}, {2, 2}},
        // 10, 20, 30, 40 in two: the cut before block 4 gives 62 x 40.
        {{10, 20, 30, 40}, 2, {62, 40}, {3, 1}},
        {{5, 5, 5, 5}, 2, {11, 11}, {2, 2}},
        // Three equal products of 275: the earliest cut (before blocks 2 and 3) wins.
        {{5, 5, 5, 5}, 3, {5, 5, 11}, {1, 1, 2}},
        // Three blocks of 30 on two pages: 30 x 61 = 61 x 30, the earlier cut wins.
        {{30, 30, 30}, 2, {30, 61}, {1, 2}},
        {{3, 4, 5}, 1, {14}, {3}},
        {{1, 1, 1, 1, 1}, 4, {1, 1, 1, 3}, {1, 1, 1, 2}},
    };
    for (const ProductCase& c : cases) {
        auto columns = BalancePages(blocksOfSizes(c.sizes), c.parts);
        EXPECT_EQ(lengths(columns), c.expectedLengths);
        EXPECT_EQ(blocksPerColumn(columns), c.expectedBlocks);
    }
}

TEST(BalancePages, ManyBlocksAreAllPlaced) {
    std::vector<Block> blocks;
    for (int i = 0; i < 200; ++i)
        blocks.push_back({2 * i, 1});
    auto columns = BalancePages(blocks, 4);
    ASSERT_EQ(columns.size(), 4u);
    std::size_t placed = 0;
    for (const Column& column : columns)
        placed += column.segments.size();
    EXPECT_EQ(placed, 200u);
}

TEST(BalancePages, NoBlocksGiveOneEmptyColumn) {
    auto columns = BalancePages({}, 3);
    ASSERT_EQ(columns.size(), 1u);
    EXPECT_EQ(columns[0].length, 0);
    EXPECT_TRUE(columns[0].segments.empty());
}

TEST(BalancePages, OneLongBlockIsCutBetweenLinesEvenly) {
    auto columns = BalancePages(std::vector<Block>{{0, 200}}, 3);
    EXPECT_EQ(lengths(columns), (std::vector<int>{67, 67, 66}));
    EXPECT_EQ(columns[1].segments, (std::vector<Block>{{67, 67}}));
    EXPECT_EQ(columns[2].segments, (std::vector<Block>{{134, 66}}));
}

TEST(BalancePages, FewerBlocksThanPartsKeepEveryLineAndDropEdgeSeparators) {
    // 150 + separator + 50 = 201 printed lines over 3 columns of at most 67.
    auto blocks = blocksOfSizes({150, 50});
    auto columns = BalancePages(blocks, 3);
    ASSERT_EQ(columns.size(), 3u);
    int lines = 0;
    for (const Column& column : columns) {
        EXPECT_LE(column.length, 67);
        for (const Block& segment : column.segments)
            lines += segment.count;
    }
    EXPECT_EQ(lines, 200);
    // Column 3 starts right at block 2's remainder: the separator fell on a column edge or
    // stands between the two blocks' segments inside a column.
    EXPECT_EQ(columns.back().segments.back().first + columns.back().segments.back().count, 201);
}

TEST(BalancePages, TooFewLinesForTheColumnsGiveFewerColumns) {
    auto columns = BalancePages(std::vector<Block>{{5, 2}}, 4);
    EXPECT_EQ(lengths(columns), (std::vector<int>{1, 1}));
}

} // namespace
} // namespace analysis
