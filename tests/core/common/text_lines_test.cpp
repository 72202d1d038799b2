#include "core/common/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace analysis {
namespace {

std::vector<std::string> linesOf(std::string_view text) {
    LineReader reader(text);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, EndsLinesAtCrLfLoneCrAndLoneLf) {
    EXPECT_EQ(linesOf("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
}

TEST(LineReader, FinalTerminatorAddsNoEmptyLine) {
    EXPECT_EQ(linesOf("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("\r\n"), (Lines{""}));
}

TEST(LineReader, KeepsEmptyLinesAndControlBytes) {
    EXPECT_EQ(linesOf("\r\n\r\n\x0c@B1\x02\r\n\n"), (Lines{"", "", "\x0c@B1\x02", ""}));
}

TEST(LineReader, CrFollowedByCrLfIsTwoLines) {
    EXPECT_EQ(linesOf("a\r\r\nb"), (Lines{"a", "", "b"}));
}

} // namespace
} // namespace analysis
