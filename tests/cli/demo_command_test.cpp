#include "cli/decode_command.h"
#include "cli/demo_command.h"

#include "core/document/decoder.h"
#include "support/temp_dir.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace analysis::cli {
namespace {

Outcome runDemo(const std::vector<std::string>& args) {
    return runVerbFor(runDemoCommand, args);
}

int word(const std::string& bytes, std::size_t offset) {
    return static_cast<unsigned char>(bytes[offset]) | static_cast<unsigned char>(bytes[offset + 1])
                                                           << 8;
}

TEST(DemoCommand, CreatesTheFolderTreeAndTheDaysDataFile) {
    testing::TempDir dir;
    Outcome run = runDemo({(dir / "Analysis").string(), "--race-day", "19370"});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* folder : {"Exec", "Data", "Help", "Archive"})
        EXPECT_TRUE(std::filesystem::is_directory(dir / "Analysis" / folder)) << folder;
    std::string data = dir.read("Analysis/Data/Analysis.DAT");
    ASSERT_GT(data.size(), 4096u);
    EXPECT_EQ(data.size() % 4096, 0u);
    EXPECT_EQ(word(data, 0), int(data.size() / 4096 - 1));
    EXPECT_EQ(word(data, 2), 19370);
    // The first scrambled byte is the banner's leading blank (0x20 swaps to 0x02, inverts to 0xFD).
    EXPECT_EQ(static_cast<unsigned char>(data[4096]), 0xFD);
}

/// Decodes the data file of a demo installation in dir; returns the race date printed and the
/// text written.
std::pair<std::string, std::string> decodeDemo(const testing::TempDir& dir) {
    std::ostringstream out, err;
    std::vector<std::string> args = {(dir / "Data" / "Analysis.DAT").string(),
                                     (dir / "decoded.txt").string()};
    EXPECT_EQ(runDecodeCommand(args, out, err), 0) << err.str();
    std::string date = out.str();
    if (!date.empty())
        date.pop_back();
    return {date, dir.read("decoded.txt")};
}

/// How many lines of text hold what.
std::size_t linesHolding(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        count += line.find(what) != std::string::npos;
    return count;
}

TEST(DemoCommand, ReportsCarryTheDateTheDataFileDecodesTo) {
    for (std::uint16_t raceDay : {std::uint16_t{9000}, std::uint16_t{19370}}) {
        testing::TempDir dir;
        ASSERT_EQ(runDemo({dir.path().string(), "--race-day", std::to_string(raceDay)}).status, 0);
        auto [date, text] = decodeDemo(dir);
        EXPECT_EQ(date, RaceDateText(raceDay));
        // The banner and the title line of every report.
        EXPECT_EQ(linesHolding(text, date), linesHolding(text, "\f@") + 1) << date;
    }
}

TEST(DemoCommand, RaceDayDefaultsToToday) {
    testing::TempDir dir;
    ASSERT_EQ(runDemo({dir.path().string()}).status, 0);
    using namespace std::chrono;
    long long today =
        floor<days>(system_clock::now()).time_since_epoch().count() - 1427; // 28-Nov-1973
    int stored = word(dir.read("Data/Analysis.DAT"), 2);
    EXPECT_LE(std::abs(stored - today), 1) << "local and universal dates differ by a day at most";
    auto [date, text] = decodeDemo(dir);
    EXPECT_EQ(linesHolding(text, date), linesHolding(text, "\f@") + 1) << date;
}

TEST(DemoCommand, HeavyDayIsMuchLarger) {
    testing::TempDir dir;
    ASSERT_EQ(runDemo({dir.path().string(), "--heavy", "--race-day", "1"}).status, 0);
    EXPECT_GT(dir.read("Data/Analysis.DAT").size(), std::size_t{15} << 20);
    auto [date, text] = decodeDemo(dir);
    EXPECT_EQ(date, "Thu 29-Nov-1973");
    EXPECT_EQ(linesHolding(text, date), linesHolding(text, "\f@") + 1);
}

TEST(DemoCommand, BadArgumentsStopWithStatusTwoAndWriteNothing) {
    testing::TempDir dir;
    for (std::vector<std::string> args :
         {std::vector<std::string>{(dir / "a").string(), "--race-day", "65536"},
          std::vector<std::string>{(dir / "a").string(), "--race-day", "x12"},
          std::vector<std::string>{(dir / "a").string(), "--race-day"},
          std::vector<std::string>{(dir / "a").string(), "--lightweight"},
          std::vector<std::string>{}}) {
        Outcome run = runDemo(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("usage:"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "a"));
}

TEST(DemoCommand, UnwritableInstallFolderNamesThePath) {
    testing::TempDir dir;
    dir.write("file", "not a folder");
    Outcome run = runDemo({(dir / "file").string(), "--race-day", "5"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find((dir / "file").string()), std::string::npos) << run.err;
}

} // namespace
} // namespace analysis::cli
