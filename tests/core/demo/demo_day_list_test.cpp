// The generated race day as a subscriber gets it: decoded from its data file, cut into report
// files and arranged in the report list.
#include "demo/demo_day.h"
#include "demo_reports.h"

#include "core/common/file_io.h"
#include "core/document/decoder.h"
#include "core/document/report_files.h"
#include "core/document/report_index.h"
#include "core/document/report_list.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace analysis::demo {
namespace {

using namespace reading;

const std::string EveryGroup = "@ABCDEFGHIJKLMNOPQRSTUVWXYZ";

/// The reports of each column group of one kind: runs of items of one track without a spacer
/// between them. Each must start at the top of a column.
std::vector<std::vector<std::string>> columnGroupsOf(const std::vector<std::string>& items,
                                                     char kind) {
    std::vector<std::vector<std::string>> groups;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].empty() || items[i][0] != kind)
            continue;
        if (i == 0 || items[i - 1].empty() || items[i - 1][0] != kind ||
            trackOf(items[i - 1]) != trackOf(items[i])) {
            EXPECT_EQ(i % ReportListColumn, 0u) << items[i] << " does not head a column";
            groups.emplace_back();
        }
        groups.back().push_back(items[i]);
    }
    return groups;
}

/// Checks that every track has one column group of kind holding its races 1, 2, ... in order.
void expectOneGroupPerTrackInRaceOrder(const std::vector<std::string>& items, char kind,
                                       const std::vector<std::string>& tracks) {
    std::set<std::string> seen;
    for (const auto& group : columnGroupsOf(items, kind)) {
        const std::string track = trackOf(group.front());
        EXPECT_TRUE(seen.insert(track).second) << track << " has two column groups";
        for (std::size_t i = 0; i < group.size(); ++i) {
            EXPECT_EQ(trackOf(group[i]), track) << group[i];
            EXPECT_EQ(raceOf(group[i]), int(i + 1)) << group[i];
        }
    }
    EXPECT_EQ(seen, std::set<std::string>(tracks.begin(), tracks.end())) << kind;
}

/// The demo day delivered as a data file and opened as start-up opens it.
class DeliveredDemoDay : public ::testing::Test {
protected:
    static constexpr std::uint16_t RaceDay = 19000; // Fri 05-Dec-2025

    void SetUp() override {
        DayShape shape = demoDay();
        shape.raceDay = RaceDay;
        text_ = makeAnalysisText(shape);
        const auto dataFile = dir_.write("Data/Analysis.DAT", makeDataFile(text_, RaceDay));
        decoded_ = DecodeDailyData(dataFile, dir_ / "Analysis.TXT", "0042");
        index_ = SplitAnalysis(dir_.path());
    }

    ReportList list(const std::string& kinds, int emaxLines = 7) {
        return BuildReportList(dir_.path(), index_, {kinds, EveryGroup, emaxLines, true});
    }

    analysis::testing::TempDir dir_;
    std::string text_;
    DecodeResult decoded_;
    std::vector<std::string> index_;
};

TEST_F(DeliveredDemoDay, DecodesToItsRaceDayAndTheReportsCarryIt) {
    EXPECT_EQ(decoded_.raceDateText, RaceDateText(RaceDay));
    EXPECT_EQ(decoded_.raceDateText, "Fri 05-Dec-2025");
    for (const std::string& code : index_) {
        const std::string report = readFile(workingFile(dir_.path(), code));
        const std::string title = report.substr(0, report.find("\r\n", report.find("\r\n") + 2));
        EXPECT_NE(title.find("ID: 0042   " + decoded_.raceDateText), std::string::npos)
            << code << " is not stamped or not dated: " << title;
    }
    EXPECT_EQ(text_.find(RaceDateText(SampleRaceDay)), std::string::npos);
}

TEST_F(DeliveredDemoDay, ListsEachTracksEReportsInAColumnGroupOfItsOwnInRaceOrder) {
    const ReportList shown = list("AXE");
    expectOneGroupPerTrackInRaceOrder(shown.items, 'E', demoDay().tracks);
    EXPECT_TRUE(columnGroupsOf(shown.items, 'B').empty()) << "B reports are not listed by default";
    EXPECT_EQ(shown.items.at(std::size_t(shown.selected)), "E01Aqu01");
    EXPECT_LE(shown.items.size(), 1023u);
}

TEST_F(DeliveredDemoDay, ListsBReportsTheSameWayWhenAskedFor) {
    const ReportList shown = list("ABEX");
    expectOneGroupPerTrackInRaceOrder(shown.items, 'B', demoDay().tracks);
    expectOneGroupPerTrackInRaceOrder(shown.items, 'E', demoDay().tracks);
    EXPECT_EQ(shown.items.front(), "B01Aqu01");
    EXPECT_LE(shown.items.size(), 1023u);
}

TEST_F(DeliveredDemoDay, ListsEveryAReportWithItsXReportBesideIt) {
    const ReportList shown = list("AXE");
    std::set<std::string> paired;
    for (std::size_t i = 0; i < shown.items.size(); ++i) {
        const std::string& item = shown.items[i];
        if (!item.starts_with('A'))
            continue;
        ASSERT_LT(i + ReportListColumn, shown.items.size());
        EXPECT_EQ(shown.items[i + ReportListColumn], "X01" + trackOf(item)) << item;
        EXPECT_FALSE(shown.ticked[i + ReportListColumn]) << "X reports start unticked";
        paired.insert(trackOf(item));
    }
    EXPECT_EQ(paired.size(), demoDay().tracks.size());
}

TEST_F(DeliveredDemoDay, TrimmingKeepsEachHorsesFirstPerformancesOfEveryEReport) {
    list("E", 3);
    std::size_t trimmed = 0;
    for (const std::string& code : index_) {
        if (!code.starts_with('E'))
            continue;
        const Report whole{code, {}};
        auto read = [&](const std::filesystem::path& file) {
            auto reports = reportsOf(readFile(file));
            EXPECT_EQ(reports.size(), 1u) << file;
            return reports.empty() ? whole : reports.front();
        };
        const auto before = horseBoxesOf(read(twinFile(dir_.path(), code)));
        const auto after = horseBoxesOf(read(workingFile(dir_.path(), code)));
        ASSERT_EQ(after.size(), before.size()) << code;
        for (std::size_t h = 0; h < after.size(); ++h) {
            const auto& kept = after[h].performances;
            const auto& all = before[h].performances;
            ASSERT_EQ(kept.size(), std::min<std::size_t>(all.size(), 3)) << code;
            EXPECT_TRUE(std::equal(kept.begin(), kept.end(), all.begin())) << code;
            trimmed += all.size() > 3;
        }
    }
    EXPECT_GT(trimmed, 100u);
}

TEST(HeavyDemoDay, ListsEveryReportWithinTheListsLimits) {
    DayShape shape = heavyDay();
    std::vector<std::string> codes;
    for (const Report& report : reportsOf(makeAnalysisText(shape)))
        codes.push_back(report.code);
    const ReportList shown = arrangeReportList(codes, {"ABEX", EveryGroup, 7, true});
    expectOneGroupPerTrackInRaceOrder(shown.items, 'E', shape.tracks);
    expectOneGroupPerTrackInRaceOrder(shown.items, 'B', shape.tracks);
    std::map<char, std::size_t> listed;
    for (const std::string& item : shown.items)
        if (!item.empty())
            ++listed[item[0]];
    EXPECT_EQ(listed['A'] + listed['B'] + listed['E'] + listed['X'], codes.size());
    EXPECT_LE(listed['A'], 30u);
    EXPECT_LE(listed['X'], 31u);
    EXPECT_LE(listed['E'], 511u);
    EXPECT_LE(listed['B'], 511u);
    EXPECT_LE(shown.items.size(), 1023u);
}

} // namespace
} // namespace analysis::demo
