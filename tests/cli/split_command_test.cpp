#include "cli/split_command.h"
#include "support/temp_dir.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

namespace analysis::cli {
namespace {

using analysis::testing::TempDir;

const std::string Text = "\f@A01Kee\r\na\r\n"
                         "\f@X01Kee\r\nx\r\n"
                         "\f@E01Aqu\r\ne\r\n"
                         "\f@B01Aqu\r\nb\r\n";

TEST(SplitCommand, PrintsTheListWithTicks) {
    TempDir dir;
    const auto txt = dir.write("day.txt", Text);
    std::filesystem::create_directory(dir / "out");
    const Outcome run = runVerbFor(runSplitCommand, {txt.string(), (dir / "out").string()});
    EXPECT_EQ(run.status, 0) << run.err;

    std::vector<std::string> expected(45, "\t0");
    expected[0] = "E01Aqu\t1";
    expected[15] = "A01Kee\t1";
    expected[30] = "X01Kee\t0";
    std::string text;
    for (const std::string& line : expected)
        text += line + "\n";
    EXPECT_EQ(run.out, text);
    EXPECT_EQ(dir.read("out/B01Aqu ~"), "\f@B01Aqu\r\nb\r\n");
}

TEST(SplitCommand, OptionsChooseKindsAndGroups) {
    TempDir dir;
    const auto txt = dir.write("day.txt", Text);
    const Outcome run =
        runVerbFor(runSplitCommand, {txt.string(), dir.path().string(), "--kinds", "B", "--groups",
                                     "Y", "--emax", "3", "--no-recut"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 9), "B01Aqu\t1\n");
    EXPECT_EQ(run.out.size(), 9 + 14 * 3u);
}

TEST(SplitCommand, BadArgumentsAndInput) {
    TempDir dir;
    const auto txt = dir.write("day.txt", Text);
    EXPECT_EQ(
        runVerbFor(runSplitCommand, {txt.string(), dir.path().string(), "--emax", "x"}).status, 2);
    const Outcome missing =
        runVerbFor(runSplitCommand, {(dir / "none.txt").string(), dir.path().string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("none.txt"), std::string::npos);

    const auto unsafe = dir.write("unsafe.txt", "\f@../escape\r\nx\r\n");
    const Outcome refused = runVerbFor(runSplitCommand, {unsafe.string(), dir.path().string()});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("../escape"), std::string::npos);
}

} // namespace
} // namespace analysis::cli
