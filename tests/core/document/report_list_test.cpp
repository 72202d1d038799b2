#include "core/document/report_list.h"
#include "core/document/track_groups.h"
#include "report_fixture.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

const std::string AllGroups = "@ABCDEFGHIJKLMNOPQRSTUVWXYZ";

/// The non-empty items with their positions, "position:code", for compact comparison.
std::vector<std::string> placed(const ReportList& list) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < list.items.size(); ++i)
        if (!list.items[i].empty())
            result.push_back(std::to_string(i) + ":" + list.items[i]);
    return result;
}

TEST(ReportList, EachTrackStartsANewColumn) {
    const std::vector<std::string> twoTracks = {"B01Kee", "B01Aqu"};
    const ReportList list = arrangeReportList(twoTracks, {"B", AllGroups});
    EXPECT_EQ(placed(list), (std::vector<std::string>{"0:B01Aqu", "15:B01Kee"}));
    EXPECT_EQ(list.items.size(), 30u);
    EXPECT_EQ(list.selected, 0);

    // Byte-wise order puts B01Kee between the Aqu reports, so Aqu gets two column groups.
    const std::vector<std::string> interleaved = {"B01Kee", "B01Aqu", "B02Aqu", "B03Aqu"};
    const ReportList split = arrangeReportList(interleaved, {"B", AllGroups});
    EXPECT_EQ(placed(split),
              (std::vector<std::string>{"0:B01Aqu", "15:B01Kee", "30:B02Aqu", "31:B03Aqu"}));
    EXPECT_EQ(split.items.size(), 45u);
}

TEST(ReportList, KindsNotChosenAreNotListed) {
    const std::vector<std::string> index = {"B01Kee", "B01Aqu", "Z01Kee"};
    const ReportList list = arrangeReportList(index, {"AXEZ", AllGroups});
    EXPECT_TRUE(list.items.empty());
    EXPECT_EQ(list.selected, -1);
}

TEST(ReportList, AColumnsWithTheirXReportsBeside) {
    const std::vector<std::string> index = {"X01Kee", "A01Kee", "X01Tam", "A01Aqu",
                                            "X01Aqu", "X02Kee", "E01Kee", "A01Zzz"};
    const ReportList list = arrangeReportList(index, {"AXE", AllGroups});
    EXPECT_EQ(placed(list), (std::vector<std::string>{"0:E01Kee", "15:A01Aqu", "16:A01Kee",
                                                      "30:X01Aqu", "31:X02Kee"}));
    ASSERT_EQ(list.items.size(), 45u);
    EXPECT_TRUE(list.ticked[0]);
    EXPECT_TRUE(list.ticked[15]);
    EXPECT_TRUE(list.ticked[16]);
    EXPECT_FALSE(list.ticked[30]);
    EXPECT_FALSE(list.ticked[1]);
    EXPECT_EQ(list.selected, 0);
}

TEST(ReportList, SixteenAReportsFillTwoColumnPairs) {
    std::vector<std::string> index;
    for (int i = 10; i < 26; ++i)
        index.push_back("A" + std::to_string(i) + "Kee");
    index.push_back("X01Kee");
    const ReportList list = arrangeReportList(index, {"AX", AllGroups});
    ASSERT_EQ(list.items.size(), 60u);
    EXPECT_EQ(list.items[14], "A24Kee");
    EXPECT_EQ(list.items[29], "X01Kee");
    EXPECT_EQ(list.items[30], "A25Kee");
    EXPECT_EQ(list.items[45], "X01Kee");
    EXPECT_EQ(list.items[31], "");
}

TEST(ReportList, TrackGroupsSelectTracks) {
    const std::vector<std::string> index = {"A01Kee", "A01Tam", "A01Aqu"};
    EXPECT_EQ(placed(arrangeReportList(index, {"A", "K"})), (std::vector<std::string>{"0:A01Kee"}));
    EXPECT_EQ(placed(arrangeReportList(index, {"A", "AY"})),
              (std::vector<std::string>{"0:A01Aqu", "1:A01Tam"}));
    EXPECT_TRUE(arrangeReportList(index, {"A", "@"}).items.empty());
}

TEST(TrackGroups, Table) {
    const auto table = TrackGroupTable();
    ASSERT_EQ(table.size(), 25u);
    EXPECT_EQ(table[0], "(A) Tam                 ");
    EXPECT_EQ(table[24], "(Y) Bel Aqu Sar         ");
    for (std::string_view row : table)
        EXPECT_EQ(row.size(), 24u);
    EXPECT_TRUE(isTrackSelected("GPW", "F"));
    EXPECT_FALSE(isTrackSelected("GPW", "ABCDEG"));
    EXPECT_FALSE(isTrackSelected("Xyz", "ABCDEFGHIJKLMNOPQRSTUVWXY"));
}

TEST(ReportList, BuildRecutsListedEReportsOnly) {
    using namespace analysis::testing;
    TempDir dir;
    const std::string report = crlf({boxTop(), performance("p1"), performance("p2"), boxBottom()});
    for (const char* name : {"E01Kee ~", "E01Tam ~"})
        dir.write(name, report);
    const std::vector<std::string> index = {"E01Kee", "E01Tam"};
    BuildReportList(dir.path(), index, {"E", "K", 1, true});
    EXPECT_EQ(dir.read("E01Kee"), crlf({boxTop(), performance("p1"), boxBottom()}));
    EXPECT_FALSE(std::filesystem::exists(dir / "E01Tam"));

    BuildReportList(dir.path(), index, {"E", "K", 2, false});
    EXPECT_EQ(dir.read("E01Kee"), crlf({boxTop(), performance("p1"), boxBottom()}));
}

} // namespace
} // namespace analysis
