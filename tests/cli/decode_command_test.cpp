#include "cli/decode_command.h"
#include "core/document/decoder.h"
#include "demo/demo_day.h"
#include "support/temp_dir.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

namespace analysis::cli {
namespace {

using analysis::testing::TempDir;

/// A data file announcing recordCount records and holding present of them, all stored as
/// the byte 0xEB (which decodes to "A").
std::string dataFile(std::uint16_t recordCount, std::size_t present) {
    std::string bytes(DataRecordSize, '\0');
    bytes[0] = static_cast<char>(recordCount);
    bytes[2] = 1; // day 1
    bytes += std::string(present * DataRecordSize, '\xEB');
    return bytes;
}

TEST(DecodeCommand, DecodesAndPrintsTheRaceDate) {
    TempDir dir;
    const auto dat = dir.write("Analysis.DAT", dataFile(2, 2));
    const Outcome run =
        runVerbFor(runDecodeCommand, {dat.string(), (dir / "out.txt").string(), "--user-id", "42"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Thu 29-Nov-1973\n");
    EXPECT_TRUE(dir.read("out.txt") == std::string(2 * DataRecordSize, 'A'));
}

TEST(DecodeCommand, DemoDataFileGivesBackTheDemoText) {
    TempDir dir;
    std::string text = demo::makeAnalysisText(demo::demoDay());
    const auto dat = dir.write("Analysis.DAT", demo::makeDataFile(text, 18000));
    const Outcome run = runVerbFor(runDecodeCommand, {dat.string(), (dir / "out.txt").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, RaceDateText(18000) + "\n");
    text.resize((text.size() + DataRecordSize - 1) / DataRecordSize * DataRecordSize, ' ');
    // Each identification mark and the three bytes after it receive the default UserId.
    int stamped = 0;
    for (char& c : text) {
        if (c == '\1')
            stamped = 4;
        if (stamped > 0) {
            c = '0';
            --stamped;
        }
    }
    EXPECT_TRUE(dir.read("out.txt") == text);
}

TEST(DecodeCommand, MissingRecordsWarnAndExitOne) {
    TempDir dir;
    const auto dat = dir.write("Analysis.DAT", dataFile(3, 1));
    const Outcome run = runVerbFor(runDecodeCommand, {dat.string(), (dir / "out.txt").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("warning"), std::string::npos);
    EXPECT_NE(run.err.find("1 of the 3"), std::string::npos) << run.err;
    EXPECT_EQ(dir.read("out.txt").size(), DataRecordSize);
}

TEST(DecodeCommand, BadInputExitsTwoAndWritesNothing) {
    TempDir dir;
    const auto dat = dir.write("short.DAT", "tiny");
    const Outcome shortFile =
        runVerbFor(runDecodeCommand, {dat.string(), (dir / "out.txt").string()});
    EXPECT_EQ(shortFile.status, 2);
    EXPECT_NE(shortFile.err.find("Read beyond end of file"), std::string::npos);
    EXPECT_NE(shortFile.err.find("short.DAT"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.txt"));

    EXPECT_EQ(runVerbFor(runDecodeCommand, {dat.string()}).status, 2);
    EXPECT_EQ(runVerbFor(runDecodeCommand, {"--help"}).status, 0);
}

} // namespace
} // namespace analysis::cli
