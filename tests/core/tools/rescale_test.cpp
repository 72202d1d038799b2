// The scratch post-pass: value blocks rescaled, marked lines dropped, files replaced whole.
#include "core/tools/rescale.h"

#include "core/common/io_error.h"
#include "core/common/text_lines.h"
#include "core/document/report_files.h"
#include "demo/demo_day.h"
#include "support/temp_dir.h"
#include "support/value_block.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace analysis {
namespace {

using testing::blockCloser;
using testing::blockHeader;
using testing::crlfLines;
using testing::TempDir;
using testing::valueLine;

const std::string Closer = blockCloser();

struct RescaleCase {
    const char* name;
    std::string input;
    std::string expected;
};

void expectRescales(const std::vector<RescaleCase>& cases) {
    for (const RescaleCase& row : cases) {
        SCOPED_TRACE(row.name);
        std::string out = rescaleText(row.input);
        EXPECT_EQ(out, row.expected);
        EXPECT_EQ(out.find("inf"), std::string::npos);
        EXPECT_EQ(out.find("nan"), std::string::npos);
    }
}

TEST(RescaleText, Examples) {
    const std::string block =
        crlfLines({blockHeader(), valueLine(" 1.0", " 2.0"), valueLine(" 3.0", " 2.0"),
                   valueLine(" 3.0", " 2.0"), Closer});
    std::string longLine(200, 'x');
    expectRescales({
        {"a block whose sums are already 1 keeps its values", block, block},
        {"a deleted line rescales the rest",
         crlfLines({blockHeader(), valueLine(" 3.0", " 1.0"), valueLine(" 3.0", " 3.0"), Closer}),
         crlfLines({blockHeader(), valueLine(" 1.0", "  .5"), valueLine(" 1.0", " 2.0"), Closer})},
        {"\"!\" drops a line inside a block and is ignored outside",
         crlfLines({"Notes! kept", blockHeader(), valueLine(" 1.0", " 1.0", "Scratched!"),
                    valueLine(" 3.0", " 3.0"), valueLine(" 3.0", " 3.0"), Closer, "Bye!"}),
         crlfLines({"Notes! kept", blockHeader(), valueLine(" 1.0", " 1.0"),
                    valueLine(" 1.0", " 1.0"), Closer, "Bye!"})},
        {"0.5 is two blanks, the point and 5",
         crlfLines({blockHeader(), valueLine(" 0.5", " 1.0"), valueLine(" 2.0", " 1.0"), Closer}),
         crlfLines({blockHeader(), valueLine("  .5", " 1.0"), valueLine(" 2.0", " 1.0"), Closer})},
        {"a blanked leading zero reads back as the same value",
         crlfLines({blockHeader(), valueLine("  .5", " 1.0"), valueLine(" 2.0", " 1.0"), Closer}),
         crlfLines({blockHeader(), valueLine("  .5", " 1.0"), valueLine(" 2.0", " 1.0"), Closer})},
        {"100 or more keeps its first 4 characters",
         crlfLines({blockHeader(), valueLine("99.9", " 1.0"), valueLine("-0.4", " 1.0"), Closer}),
         crlfLines({blockHeader(), valueLine("168.", " 1.0"), valueLine("  .0", " 1.0"), Closer})},
        {"below -9.9 keeps its sign, two digits and the point",
         crlfLines({blockHeader(), valueLine(" 9.0", " 1.0"), valueLine("-2.0", " 1.0"), Closer}),
         crlfLines({blockHeader(), valueLine("-10.", " 1.0"), valueLine("-0.1", " 1.0"), Closer})},
        {"the line that closes a block is not the next block's header",
         crlfLines({blockHeader(), valueLine(" 3.0", " 3.0"), valueLine(" 3.0", " 3.0"),
                    blockHeader("Next"), valueLine(" 3.0", " 3.0"), Closer}),
         crlfLines({blockHeader(), valueLine(" 1.0", " 1.0"), valueLine(" 1.0", " 1.0"),
                    blockHeader("Next"), valueLine(" 3.0", " 3.0"), Closer})},
        {"a text without blocks comes back byte for byte", "a\r\nb\rc\nd!\x0c\x02\r\n\r\nlast",
         "a\r\nb\rc\nd!\x0c\x02\r\n\r\nlast"},
        {"lines are cut to 127 characters", longLine + "\r\n" + longLine,
         longLine.substr(0, 127) + "\r\n" + longLine.substr(0, 127)},
    });
}

TEST(RescaleText, FaultsNeitherLoseLinesNorWriteInfinity) {
    std::vector<std::string> many{blockHeader()};
    std::vector<std::string> manyRescaled{blockHeader()};
    for (int i = 0; i < 40; ++i) {
        many.push_back(valueLine(" 1.0", " 1.0"));
        manyRescaled.push_back(valueLine("39.0", "39.0"));
    }
    many.push_back(Closer);
    manyRescaled.push_back(Closer);
    expectRescales({
        {"more than 31 value lines are all held and rescaled together", crlfLines(many),
         crlfLines(manyRescaled)},
        {"a block running to the end of the file is rescaled and written",
         crlfLines({blockHeader(), valueLine(" 3.0", " 3.0")}) + valueLine(" 3.0", " 3.0"),
         crlfLines({blockHeader(), valueLine(" 1.0", " 1.0")}) + valueLine(" 1.0", " 1.0")},
        {"a field that is not a number stays and takes no part in its column",
         crlfLines({blockHeader(), valueLine("ab.c", " 1.0"), valueLine(" 3.0", " 1.0"),
                    valueLine(" 3.0", " 1.0"), Closer}),
         crlfLines({blockHeader(), valueLine("ab.c", " 2.0"), valueLine(" 1.0", " 2.0"),
                    valueLine(" 1.0", " 2.0"), Closer})},
        {"-1.0 stays and takes no part in its column",
         crlfLines({blockHeader(), valueLine("-1.0", " 1.0"), valueLine(" 1.0", "-1.0"), Closer}),
         crlfLines({blockHeader(), valueLine("-1.0", "  .0"), valueLine("  .0", "-1.0"), Closer})},
    });
}

TEST(RescaleText, OutcomeCountsWhatThePassDid) {
    RescaleOutcome outcome;
    rescaleText(crlfLines({blockHeader(), valueLine("-1.0", " 1.0"), valueLine("x!.0", " 1.0"),
                           valueLine(" 1.0", "?1.0"), Closer, blockHeader()}),
                &outcome);
    EXPECT_EQ(outcome.blocks, 2u);
    EXPECT_EQ(outcome.droppedLines, 1u);
    EXPECT_EQ(outcome.valueLines, 2u);
    EXPECT_EQ(outcome.unreadFields, 2u);
}

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    LineReader reader(text);
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    return lines;
}

double share(const std::string& line, std::size_t start) {
    return 1.0 / (std::stod(line.substr(start, 4)) + 1.0);
}

TEST(RescaleText, ADemoDayKeepsEveryLineAndChangesOnlyTheValueColumns) {
    const std::string text = demo::makeAnalysisText(demo::demoDay());
    RescaleOutcome outcome;
    const std::vector<std::string> before = linesOf(text);
    const std::vector<std::string> after = linesOf(rescaleText(text, &outcome));
    EXPECT_GT(outcome.blocks, 10u);
    EXPECT_GT(outcome.valueLines, 50u);
    EXPECT_EQ(outcome.droppedLines, 0u);
    EXPECT_EQ(outcome.unreadFields, 0u);
    ASSERT_EQ(after.size(), before.size());
    double firstSum = 0;
    double secondSum = 0;
    for (std::size_t i = 0; i < after.size(); ++i) {
        std::string unchanged = before[i];
        if (unchanged.size() == 80 && unchanged[71] == '.' && unchanged[76] == '.') {
            unchanged.replace(69, 4, after[i], 69, 4).replace(74, 4, after[i], 74, 4);
            firstSum += share(after[i], 69);
            secondSum += share(after[i], 74);
        } else if (firstSum > 0) {
            // The line under a block: each column's odds add up to 1 again, but for the
            // rounding to one decimal.
            EXPECT_NEAR(firstSum, 1.0, 0.1) << "block ending on line " << i;
            EXPECT_NEAR(secondSum, 1.0, 0.1) << "block ending on line " << i;
            firstSum = secondSum = 0;
        }
        EXPECT_EQ(after[i], unchanged) << "line " << i;
    }
}

TEST(RescaleFile, RewritesInPlaceThroughAPrivateTemporary) {
    TempDir dir;
    // Another writer's temporary under the old fixed name is neither used nor removed.
    dir.write("Analysis.TMP", "someone else's");
    auto report = dir.write("E03Kee", crlfLines({blockHeader(), valueLine(" 3.0", " 3.0"),
                                                 valueLine(" 3.0", " 3.0"), Closer}));
    RescaleAfterScratch(dir.path(), "E03Kee");
    EXPECT_EQ(dir.read("E03Kee"), crlfLines({blockHeader(), valueLine(" 1.0", " 1.0"),
                                             valueLine(" 1.0", " 1.0"), Closer}));
    EXPECT_EQ(dir.read("Analysis.TMP"), "someone else's");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names.size(), 2u) << "a temporary file was left behind";
}

TEST(RescaleFile, SavedEditIsRescaledInTheSameReplacement) {
    TempDir dir;
    auto report = dir.write("A00Kee", "before\r\n");
    saveScratchEdit(report, crlfLines({blockHeader(), valueLine(" 3.0", " 3.0"),
                                       valueLine(" 3.0", " 3.0", "Gone!"), Closer}));
    EXPECT_EQ(dir.read("A00Kee"), crlfLines({blockHeader(), valueLine("  .0", "  .0"), Closer}));
}

TEST(RescaleFile, AFileThatIsNotAReportIsRefusedUnchanged) {
    // Its lines cut to 127 characters could never be had back: a mistyped name must not
    // destroy a file.
    const std::string report = crlfLines({blockHeader(), valueLine(" 3.0", " 3.0"), Closer});
    struct Case {
        const char* name;
        std::string bytes;
        std::string reason;
    };
    std::string binary(1 << 20, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 131) % 251);
    const Case cases[] = {
        {"binary", binary, "it holds a NUL byte"},
        {"nul", report + std::string("a\0b\r\n", 5), "it holds a NUL byte"},
        {"oneLine", std::string(100000, 'x'), "line 1 is longer than 127 characters"},
        {"longLine", report + "short\n" + std::string(128, 'x') + "\r\n",
         "line 5 is longer than 127 characters"},
        {"noBlock", "Notes\r\n" + valueLine(" 3.0", " 3.0") + "\r\n",
         "no line of it heads a block of values"},
        {"empty", "", "no line of it heads a block of values"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const auto file = dir.write(c.name, c.bytes);
        try {
            rescaleFile(file);
            ADD_FAILURE() << "no error raised";
        } catch (const NotAReport& error) {
            EXPECT_EQ(error.reason(), c.reason);
            EXPECT_EQ(error.file(), file);
            EXPECT_NE(std::string(error.what()).find(file.string()), std::string::npos);
            EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos);
        }
        EXPECT_EQ(dir.read(c.name), c.bytes);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                                std::filesystem::directory_iterator()),
                  1);
    }

    // The report's own working file is refused the same way; a line of exactly 127 is a report's.
    TempDir dir;
    dir.write("A01Kee", "Notes\r\n");
    EXPECT_THROW(RescaleAfterScratch(dir.path(), "A01Kee"), NotAReport);
    EXPECT_EQ(dir.read("A01Kee"), "Notes\r\n");
    dir.write("A02Kee", std::string(127, 'x') + "\r" + report);
    RescaleAfterScratch(dir.path(), "A02Kee");
    EXPECT_EQ(dir.read("A02Kee"),
              std::string(127, 'x') + "\r" +
                  crlfLines({blockHeader(), valueLine("  .0", "  .0"), Closer}));

    // The scratch editor's save is the user's own text for the report, kept whatever it holds.
    auto edited = dir.write("A03Kee", report);
    saveScratchEdit(edited, "Notes\r\n" + std::string(200, 'x'));
    EXPECT_EQ(dir.read("A03Kee"), "Notes\r\n" + std::string(127, 'x'));
}

TEST(RescaleFile, FailuresNameTheFileAndLeaveNothingBehind) {
    TempDir dir;
    try {
        RescaleAfterScratch(dir.path(), "X01Sar");
        FAIL() << "no error raised";
    } catch (const IoError& error) {
        EXPECT_EQ(error.reason(), "File not found");
        EXPECT_NE(std::string(error.what()).find("X01Sar"), std::string::npos);
    }
    EXPECT_THROW(RescaleAfterScratch(dir.path(), "../outside"), UnsafeReportCode);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
} // namespace analysis
