#include "core/common/io_error.h"
#include "core/schedule/schedule_table.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

using testing::TempDir;

const std::vector<std::string> Schedule = {
    "         1:00 -  1 Kee  -  8.5f         ", "         1:10 -  1 GPx  -  6.0f T       ",
    "         1:30 -  2 Kee  -  7.0f         ", "         3:50 -  6 Aqu  -  9.0f         ",
    "         9:50 -  9 kee  -  6.0f         ",
};

TEST(Schedule, LoadKeepsFileOrderAndCutsLongLines) {
    TempDir dir;
    const std::string longLine(80, 'x');
    auto file = dir.write("SimoDump.LST", Schedule[1] + "\r\n" + Schedule[0] + "\r\n" + longLine);
    const std::vector<std::string> lines = LoadSchedule(file);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], Schedule[1]);
    EXPECT_EQ(lines[1], Schedule[0]);
    EXPECT_EQ(lines[2], std::string(63, 'x'));
    EXPECT_TRUE(LoadSchedule(dir.write("empty", "")).empty());
    EXPECT_THROW(LoadSchedule(dir / "missing"), IoError);
}

TEST(Schedule, ExtractionKeepsTheTickedTracksOnceInTableOrder) {
    TempDir dir;
    auto file = dir.write("SimoDump.LST", "old");
    const std::vector<std::string> ticked = {"E01Kee", "A01Kee", "X01Kee", "B01Aqu", "A01Tam"};
    ExtractSchedule(Schedule, ticked, file);
    EXPECT_EQ(dir.read("SimoDump.LST"),
              Schedule[0] + "\r\n" + Schedule[2] + "\r\n" + Schedule[3] + "\r\n");
}

TEST(Schedule, NothingTickedWritesAnEmptyFile) {
    TempDir dir;
    auto file = dir.write("SimoDump.LST", "old");
    ExtractSchedule(Schedule, {}, file);
    EXPECT_EQ(dir.read("SimoDump.LST"), "");
}

} // namespace
} // namespace analysis
