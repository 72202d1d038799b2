// analysis-tool find, run in-process: the hits of a split day in the order of its text.
#include "cli/find_command.h"

#include "core/document/report_index.h"
#include "support/temp_dir.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace analysis::cli {
namespace {

using analysis::testing::TempDir;

Outcome find(const std::vector<std::string>& args) {
    return runVerbFor(runFindCommand, args);
}

/// A day split in its folder: B before A in the text, a line with two hits, box drawing, a
/// twin and a file of another kind that hold the text but are no report's working file.
struct SplitDay {
    TempDir dir;
    std::string folder = dir.path().string();

    SplitDay() {
        const std::string text =
            "copper banner\r\n"
            "\f@B01Kee01\r\n Race 1\r\n COPPER TALE beat copper sonnet\r\n -4 back\r\n"
            "\f@A01Aqu\r\n\xDA\xC4\xC4\r\n\xB3 Copper Canyon \xB3\r\n"
            "\f@X01Aqu\r\n no hit\r\n";
        dir.write("Analysis.TXT", text);
        splitAnalysisText(text, dir.path());
        dir.write("A01Aqu ~", "\f@A01Aqu\r\ncopper in the twin only\r\n");
        dir.write("SimoDump.LST", "         1:00 -  1 copper\r\n");
    }
};

TEST(FindCommand, PrintsEveryHitInTheOrderOfTheText) {
    SplitDay day;
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {{"copper", day.folder},
         "B01Kee01\t3\t COPPER TALE beat copper sonnet\n"
         "B01Kee01\t3\t COPPER TALE beat copper sonnet\n"
         "A01Aqu\t3\t\xB3 Copper Canyon \xB3\n"},
        {{"--case", "Copper", day.folder}, "A01Aqu\t3\t\xB3 Copper Canyon \xB3\n"},
        {{"copper", day.folder, "--case"}, "B01Kee01\t3\t COPPER TALE beat copper sonnet\n"},
        // UTF-8 on the command line, code page 437 in the reports and in what is printed.
        {{"\u2502 copper", day.folder}, "A01Aqu\t3\t\xB3 Copper Canyon \xB3\n"},
        {{"\u250C\u2500", day.folder}, "A01Aqu\t2\t\xDA\xC4\xC4\n"},
        // After "--" a text that starts with "-" is the text, not an option.
        {{"--", "-4", day.folder}, "B01Kee01\t4\t -4 back\n"},
        {{"--case", "--", "-4 back", day.folder}, "B01Kee01\t4\t -4 back\n"},
    };
    for (const Case& c : cases) {
        Outcome run = find(c.args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.out) << c.args[0];
        EXPECT_EQ(run.err, "");
    }
}

TEST(FindCommand, NothingFoundWarnsWithStatusOne) {
    SplitDay day;
    for (const char* text : {"twin only", "banner", "Sonnets"}) {
        Outcome run = find({text, day.folder});
        EXPECT_EQ(run.status, 1) << text;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string("analysis-tool: \"") + text +
                               "\" is in none of the 3 reports in " + day.folder + "\n");
    }
}

TEST(FindCommand, BadArgumentsAndAFolderWithoutASplitDayStopWithStatusTwo) {
    SplitDay day;
    TempDir unsplit;
    unsplit.write("Analysis.TXT", "\f@A01Aqu\r\ncopper\r\n");
    TempDir empty;
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"copper"}, "missing arguments"},
        {{"", day.folder}, "TEXT is empty"},
        {{"\xB3", day.folder}, "TEXT must be UTF-8 text"},
        {{"\u20AC", day.folder}, "TEXT must be UTF-8 text"},
        {{"a\nb", day.folder}, "TEXT must be one line"},
        {{"copper", day.folder, "--exact"}, "unknown option --exact"},
        {{"-4", day.folder}, "unknown option -4"},
        {{"--", "copper", day.folder, "--case"}, "too many arguments"},
        {{"copper", empty.path().string()}, "holds no Analysis.TXT"},
        {{"copper", unsplit.path().string()}, "is not split into report files"},
    };
    for (const Case& c : cases) {
        Outcome run = find(c.args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    Outcome help = find({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: analysis-tool find TEXT DIR [--case]\n"));
}

} // namespace
} // namespace analysis::cli
