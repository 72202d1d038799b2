#include "cli/split_command.h"
#include "core/document/report_index.h"
#include "demo/demo_day.h"
#include "support/temp_dir.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

#include <sstream>

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

TEST(SplitCommand, DemoDayListsEveryAWithItsXAndRejoinsWhole) {
    TempDir dir;
    const std::string text = demo::makeAnalysisText(demo::demoDay());
    const auto txt = dir.write("Analysis.TXT", text);
    const Outcome run =
        runVerbFor(runSplitCommand, {txt.string(), dir.path().string(), "--emax", "3"});
    ASSERT_EQ(run.status, 0) << run.err;

    std::vector<std::string> items;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);)
        items.push_back(line.substr(0, line.find('\t')));
    int aReports = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].starts_with('A'))
            continue;
        ++aReports;
        ASSERT_LT(i + 15, items.size());
        EXPECT_EQ(items[i + 15].substr(0, 1), "X") << items[i];
        EXPECT_EQ(items[i + 15].substr(3, 3), items[i].substr(3, 3));
    }
    EXPECT_EQ(aReports, 7);

    const std::vector<std::string> index = SplitAnalysis(dir.path());
    std::size_t reports = 0;
    for (std::size_t at = text.find("\f@"); at != std::string::npos; at = text.find("\f@", at + 1))
        ++reports;
    ASSERT_EQ(index.size(), reports);
    ASSERT_GT(reports, 7 * 2 * 7u) << "two reports a track, and an E and a B report a race";
    RejoinAnalysis(dir.path(), index);
    const std::size_t firstReport = text.rfind("\r\n", text.find("\f@")) + 2;
    EXPECT_TRUE(dir.read("Analysis.TXT") == text.substr(firstReport));
}

} // namespace
} // namespace analysis::cli
