// analysis-tool schedule and layout, run in-process.
#include "cli/schedule_command.h"

#include "support/run_command.h"
#include "support/temp_dir.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace analysis::cli {
namespace {

using analysis::testing::runCommand;

Outcome schedule(const std::vector<std::string>& args) {
    return runVerbFor(runScheduleCommand, args);
}

Outcome layout(const std::vector<std::string>& args) {
    return runVerbFor(runLayoutCommand, args);
}

const std::string Kee1 = "         1:10 -  1 Kee  - 10.0f T       ";
const std::string Aqu1 = "         1:20 -  1 Aqu  -  9.0f         ";
const std::string Kee2 = "         1:40 -  2 Kee  -  6.0f         ";

/// A schedule file of count lines of track Kee after the three lines above.
std::string scheduleFile(int keeLines = 0) {
    std::string text = Kee1 + "\r\n" + Aqu1 + "\r\n" + Kee2 + "\r\n";
    for (int i = 0; i < keeLines; ++i)
        text += "         9:" + std::to_string(10 + i % 50) + " - 12 Kee  -  6.0f         \r\n";
    return text;
}

std::size_t countOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(ScheduleCommand, TracesTheScheduleOfTheGivenTracks) {
    testing::TempDir dir;
    std::string lst = dir.write("SimoDump.LST", scheduleFile()).string();
    Outcome run = schedule({lst, "--tracks", "Kee,Tam", "--page", "4800x6400", "--trace"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "begin portrait\n"
                       "font Courier New|18|bold\n"
                       "text 525 75 Race Date\n"
                       "font Courier New|12|bold\n"
                       "text 0 347 " +
                           Kee1 +
                           "\n"
                           "text 0 523 " +
                           Kee2 +
                           "\n"
                           "end\n");
    EXPECT_EQ(dir.read("SimoDump.LST"), scheduleFile());

    run = schedule(
        {lst, "--tracks", "Aqu", "--title", "Wed 28-Nov-1973", "--page", "4800x6400", "--trace"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("text 525 75 Wed 28-Nov-1973\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("text 0 347 " + Aqu1 + "\n"), std::string::npos) << run.out;
}

TEST(ScheduleCommand, LayoutOptionsReachThePrint) {
    testing::TempDir dir;
    // 65 lines of Kee: two pages of 36, or one sheet 2-up.
    std::string lst = dir.write("SimoDump.LST", scheduleFile(63)).string();
    Outcome apart = schedule({lst, "--tracks", "Kee", "--page", "4800x6400", "--trace"});
    EXPECT_EQ(apart.status, 0) << apart.err;
    EXPECT_EQ(countOf(apart.out, "newpage\n"), 1u);
    EXPECT_EQ(countOf(apart.out, "\ntext 0 "), 65u);

    Outcome twoUp =
        schedule({lst, "--two-up", "--tracks", "Kee", "--page", "4800x6400", "--trace"});
    EXPECT_EQ(twoUp.status, 0) << twoUp.err;
    EXPECT_EQ(countOf(twoUp.out, "newpage\n"), 0u);
    EXPECT_EQ(countOf(twoUp.out, "\ntext 2400 "), 29u);
    EXPECT_EQ(countOf(twoUp.out, "\ntext 2925 75 Race Date\n"), 1u);

    // Pages of 48 and 48 hold 65 lines on two pages of 48 slots: a wider line height.
    Outcome dense = schedule({lst, "--tracks", "Kee", "--optimum", "48", "--maximum", "48",
                              "--page", "4800x6400", "--trace"});
    EXPECT_EQ(dense.status, 0) << dense.err;
    EXPECT_NE(dense.out.find("\ntext 0 339 "), std::string::npos) << dense.out;
    EXPECT_NE(dense.out.find("\ntext 0 456 "), std::string::npos) << dense.out;
}

TEST(ScheduleCommand, MarkCloseMarksRacesOfOtherTracksWithinTheMinutes) {
    testing::TempDir dir;
    std::string lst = dir.write("SimoDump.LST", scheduleFile()).string();
    // Kee's 1:10 and Aqu's 1:20 are ten minutes apart; Kee's 1:40 is twenty from Aqu's.
    Outcome run = schedule(
        {lst, "--tracks", "Kee,Aqu", "--mark-close", "10", "--page", "4800x6400", "--trace"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("text 0 347 " + Kee1.substr(0, 33) + "<10 Aqu\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("text 0 523 " + Aqu1.substr(0, 33) + "<10 Kee\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(" " + Kee2 + "\n"), std::string::npos) << run.out;

    Outcome nine = schedule(
        {lst, "--tracks", "Kee,Aqu", "--mark-close", "9", "--page", "4800x6400", "--trace"});
    Outcome none = schedule({lst, "--tracks", "Kee,Aqu", "--page", "4800x6400", "--trace"});
    EXPECT_EQ(nine.status, 0) << nine.err;
    EXPECT_EQ(nine.out, none.out);
    EXPECT_EQ(none.out.find('<'), std::string::npos) << none.out;
}

TEST(ScheduleCommand, DrawsIntoAPdf) {
    testing::TempDir dir;
    std::string lst = dir.write("SimoDump.LST", scheduleFile()).string();
    std::string pdf = (dir / "schedule.pdf").string();
    Outcome run = schedule(
        {lst, "--tracks", "Kee", "--title", "Wed 28-Nov-1973", "--page", "4800x6400", "-o", pdf});
    ASSERT_EQ(run.status, 0) << run.err;
    std::string text = runCommand("pdftotext -raw '" + pdf + "' -");
    EXPECT_NE(text.find("Wed 28-Nov-1973"), std::string::npos) << text;
    EXPECT_NE(text.find("1:10 - 1 Kee - 10.0f T"), std::string::npos) << text;
    EXPECT_NE(text.find("1:40 - 2 Kee - 6.0f"), std::string::npos) << text;
    EXPECT_EQ(text.find("Aqu"), std::string::npos) << text;
}

TEST(ScheduleCommand, NoLineOfTheTracksWarnsAndWritesNothing) {
    testing::TempDir dir;
    std::string lst = dir.write("SimoDump.LST", scheduleFile()).string();
    for (const char* output : {"--trace", "-o"}) {
        std::vector<std::string> args{lst, "--tracks", "Tam,Sar", "--page", "4800x6400", output};
        if (std::string(output) == "-o")
            args.push_back((dir / "none.pdf").string());
        Outcome run = schedule(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("no line of the tracks Tam,Sar"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "none.pdf"));
}

TEST(ScheduleCommand, BadInputStopsWithStatusTwoAndWritesNothing) {
    testing::TempDir dir;
    std::string lst = dir.write("SimoDump.LST", scheduleFile()).string();
    std::string pdf = (dir / "out.pdf").string();
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{(dir / "none.LST").string(), "--tracks", "Kee", "--page", "4800x6400", "-o", pdf},
         "File not found"},
        {{lst, "--page", "4800x6400", "-o", pdf}, "--tracks T1,T2,... is required"},
        {{lst, "--tracks", "Kee,Ke", "--page", "4800x6400", "-o", pdf}, "three-letter tracks"},
        {{lst, "--tracks", "", "--page", "4800x6400", "-o", pdf}, "three-letter tracks"},
        {{lst, "--tracks", "Kee", "-o", pdf}, "--page WxH is required"},
        {{lst, "--tracks", "Kee", "--page", "4800", "-o", pdf}, "--page needs WxH"},
        {{lst, "--tracks", "Kee", "--page", "4800x6400"}, "either --trace or -o"},
        {{lst, "--tracks", "Kee", "--page", "4800x6400", "--trace", "-o", pdf},
         "either --trace or -o"},
        {{lst, "--tracks", "Kee", "--optimum", "many", "--page", "4800x6400", "-o", pdf},
         "--optimum needs a whole number"},
        {{lst, "--tracks", "Kee", "--maximum", "-4", "--page", "4800x6400", "-o", pdf},
         "--maximum needs a whole number"},
        {{lst, "--tracks", "Kee", "--mark-close", "0", "--page", "4800x6400", "-o", pdf},
         "--mark-close needs minutes from 1 to 15, not 0"},
        {{lst, "--tracks", "Kee", "--mark-close", "16", "--page", "4800x6400", "-o", pdf},
         "--mark-close needs minutes from 1 to 15, not 16"},
        {{lst, "--tracks", "Kee", "--mark-close", "soon", "--page", "4800x6400", "-o", pdf},
         "--mark-close needs a whole number"},
        {{lst, "--tracks", "Kee", "--columns", "2", "--page", "4800x6400", "-o", pdf},
         "unknown option --columns"},
        {{lst, "--tracks", "Kee", "--page", "4800x6400", "-o", (dir / "no/such/out.pdf").string()},
         "Folder not found"},
        {{lst, "--tracks", "Kee", "--page", "300x320", "-o", pdf}, "too small"},
    };
    for (const Case& c : cases) {
        Outcome run = schedule(c.args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(LayoutCommand, PrintsLinesPerPageAndCase) {
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {{"32", "64", "20"}, "32 1\n"},  {{"32", "64", "65"}, "36 2\n"},
        {{"32", "64", "129"}, "32 3\n"}, {{"48", "48", "50"}, "48 2\n"},
        {{"70", "10", "0"}, "32 1\n"},
    };
    for (const Case& c : cases) {
        Outcome run = layout(c.args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.out);
    }
}

TEST(LayoutCommand, BadArgumentsStopWithStatusTwo) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"32", "64"}, "missing arguments"},
        {{"32", "64", "20", "5"}, "too many arguments"},
        {{"32", "sixty", "20"}, "MAXIMUM needs a whole number"},
        {{"32", "64", "70000"}, "N needs a whole number from 0 to 65535"},
    };
    for (const Case& c : cases) {
        Outcome run = layout(c.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(ScheduleCommands, HelpDescribesEachVerb) {
    Outcome help = schedule({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: analysis-tool schedule LST --tracks")) << help.out;
    help = layout({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: analysis-tool layout OPTIMUM MAXIMUM N")) << help.out;
}

} // namespace
} // namespace analysis::cli
