#include "core/common/io_error.h"
#include "core/installation/settings.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

using testing::TempDir;

TEST(Settings, DefaultsAreWrittenAsTheFourFirstStartLines) {
    TempDir dir;
    WriteSettings(dir / "Analysis.OPT", Settings{});
    EXPECT_EQ(dir.read("Analysis.OPT"), "0000\r\nAXE\r\n@ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n27\r\n");
}

TEST(Settings, MissingFileIsAnError) {
    TempDir dir;
    EXPECT_THROW(ReadSettings(dir / "Analysis.OPT"), IoError);
}

TEST(Settings, FourthLineDigits) {
    struct Case {
        const char* line;
        unsigned printOptions, emaxLines;
    };
    const Case cases[] = {
        {"F1", 15, 1},                 // mode 7 with legal paper, one performance
        {"a", 10, 7},                  // a short line keeps the default second digit
        {"", 2, 7},      {"ZZ", 0, 0}, // not hex: both count as 0
        {"3E99", 3, 14},
    };
    for (const Case& c : cases) {
        TempDir dir;
        auto file =
            dir.write("Analysis.OPT", std::string("0000\r\nAXE\r\nA\r\n") + c.line + "\r\n");
        const Settings settings = ReadSettings(file);
        EXPECT_EQ(settings.PrintOptions, c.printOptions) << c.line;
        EXPECT_EQ(settings.EmaxLines, c.emaxLines) << c.line;
    }
}

TEST(Settings, DuplexIsLostLegalAndModeKept) {
    TempDir dir;
    Settings settings;
    settings.PrintOptions = 5 | 8 | 16;
    WriteSettings(dir / "Analysis.OPT", settings);
    EXPECT_EQ(dir.read("Analysis.OPT"), "0000\r\nAXE\r\n@ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\nD7\r\n");
    EXPECT_EQ(ReadSettings(dir / "Analysis.OPT").PrintOptions, 13);
}

TEST(Settings, EveryReadAddsOneGUpToThirtyOneCharacters) {
    TempDir dir;
    auto file = dir / "Analysis.OPT";
    WriteSettings(file, Settings{});
    for (int run = 0; run < 3; ++run)
        WriteSettings(file, ReadSettings(file));
    EXPECT_EQ(ReadSettings(file).TrackGroups.substr(0, 30), "@ABCDEFGHIJKLMNOPQRSTUVWXYZGGG");

    for (int run = 0; run < 3; ++run)
        WriteSettings(file, ReadSettings(file));
    EXPECT_EQ(ReadSettings(file).TrackGroups, "@ABCDEFGHIJKLMNOPQRSTUVWXYZGGGG");
}

TEST(Settings, LongLinesAreCutToThirtyOneWhenReadAndWrittenBackCut) {
    TempDir dir;
    const std::string longKinds(40, 'A');
    auto file = dir.write("Analysis.OPT", "0000\r\n" + longKinds + "\r\nAB\r\n27\r\n");
    Settings settings = ReadSettings(file);
    EXPECT_EQ(settings.ReportKinds, std::string(31, 'A'));
    WriteSettings(file, settings);
    EXPECT_EQ(dir.read("Analysis.OPT"), "0000\r\n" + std::string(31, 'A') + "\r\nABG\r\n27\r\n");
}

TEST(Settings, ShortGarbageAndHugeFilesNeverCrash) {
    const std::string cases[] = {
        "",
        "X",
        "1234\n",
        std::string("\0\xFF\x01\r\r\n\n", 7),
        std::string(5'000'000, '\xFE'),
        "id\rkinds\rgroups\r",
    };
    for (const std::string& bytes : cases) {
        TempDir dir;
        EXPECT_NO_THROW(ReadSettings(dir.write("Analysis.OPT", bytes)));
    }
    TempDir dir;
    const Settings partial = ReadSettings(dir.write("Analysis.OPT", "id\rkinds\r"));
    EXPECT_EQ(partial.SettingsIdText, "id");
    EXPECT_EQ(partial.ReportKinds, "kinds");
    EXPECT_EQ(partial.TrackGroups, "@ABCDEFGHIJKLMNOPQRSTUVWXYZG");
    EXPECT_EQ(partial.PrintOptions, 2);
    EXPECT_EQ(partial.EmaxLines, 7);
}

TEST(Settings, TextsWithLineBreaksKeepTheFileAtFourLines) {
    TempDir dir;
    Settings settings;
    settings.ReportKinds = "AX\r\nE";
    WriteSettings(dir / "Analysis.OPT", settings);
    const Settings back = ReadSettings(dir / "Analysis.OPT");
    EXPECT_EQ(back.ReportKinds, "AX");
    EXPECT_EQ(back.PrintOptions, 2);
}

TEST(Settings, HexDigitsAndHexValue) {
    EXPECT_EQ(HexDigits(0, 0), "0");
    EXPECT_EQ(HexDigits(0xABC, 0), "ABC");
    EXPECT_EQ(HexDigits(0xABC, 2), "BC");
    EXPECT_EQ(HexDigits(0xA, 4), "000A");
    EXPECT_EQ(HexDigits(29, 1), "D");
    EXPECT_EQ(HexValue("fF"), 255u);
    EXPECT_EQ(HexValue("1-G2"), 0x12u);
    EXPECT_EQ(HexValue(""), 0u);
}

} // namespace
} // namespace analysis
