// The user's ticks and selection carried over a rebuilt report list, and the ticked files.
#include "core/document/list_choices.h"
#include "core/document/report_files.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

ReportList listOf(std::vector<std::string> items, std::vector<bool> ticked, int selected) {
    return {std::move(items), std::move(ticked), selected};
}

TEST(CarryOverChoices, TicksFollowTheTextNewReportsGetTheDefault) {
    const ReportList previous =
        listOf({"E01Kee", "", "A01Kee", "X01Kee", "A02Aqu"}, {false, false, true, true, false}, 2);
    // A rebuild that offers B reports now and no longer offers A02Aqu.
    const ReportList rebuilt = listOf({"B01Aqu", "", "E01Kee", "", "A01Kee", "X01Kee", "X02Sar"},
                                      {true, false, true, false, true, false, false}, 0);
    const ReportList carried = carryOverChoices(previous, rebuilt);
    EXPECT_EQ(carried.items, rebuilt.items);
    // New: B ticked, X02Sar not; kept: E01Kee unticked, X01Kee ticked; spacers never.
    EXPECT_EQ(carried.ticked, (std::vector<bool>{true, false, false, false, true, true, false}));
    EXPECT_EQ(carried.selected, 4);
}

TEST(CarryOverChoices, SelectionAndDuplicates) {
    struct Case {
        const char* what;
        ReportList previous;
        int expectedSelected;
        bool expectedTickOfA;
    };
    const ReportList rebuilt = listOf({"E01Kee", "A01Kee", "A01Kee"}, {true, true, true}, 0);
    const Case cases[] = {
        {"the last equal item is selected", listOf({"A01Kee", "E01Kee"}, {true, true}, 0), 2, true},
        {"a report no longer offered leaves the rebuild's selection", listOf({"A09Sar"}, {true}, 0),
         0, true},
        {"nothing selected before", listOf({"A01Kee"}, {false}, -1), 0, false},
        {"the last of repeated texts gives the tick",
         listOf({"A01Kee", "A01Kee"}, {true, false}, 1), 2, false},
    };
    for (const Case& c : cases) {
        const ReportList carried = carryOverChoices(c.previous, rebuilt);
        EXPECT_EQ(carried.selected, c.expectedSelected) << c.what;
        EXPECT_EQ(carried.ticked[1], c.expectedTickOfA) << c.what;
        EXPECT_EQ(carried.ticked[2], c.expectedTickOfA) << c.what;
    }
}

TEST(CarryOverChoices, EveryItemOfALongListKeepsItsTick) {
    ReportList previous;
    for (int i = 0; i < 1023; ++i) {
        previous.items.push_back("E" + std::to_string(1000 + i));
        previous.ticked.push_back(i % 2 == 0);
    }
    ReportList rebuilt = previous;
    rebuilt.ticked.assign(rebuilt.items.size(), true);
    const ReportList carried = carryOverChoices(previous, rebuilt);
    EXPECT_EQ(carried.ticked, previous.ticked);
}

TEST(TickedReportFiles, TheWorkingFilesOfTickedReportsInListOrder) {
    const ReportList list =
        listOf({"E01Kee", "", "A01Kee", "X01Kee"}, {true, false, false, true}, 0);
    EXPECT_EQ(tickedReportFiles("/i", list),
              (std::vector<std::filesystem::path>{"/i/E01Kee", "/i/X01Kee"}));
    EXPECT_TRUE(tickedReportFiles("/i", ReportList{}).empty());
}

} // namespace
} // namespace analysis
