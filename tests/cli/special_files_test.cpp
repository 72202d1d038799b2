// The verbs where something other than a file stands at a path they are given: a device, a
// pipe, a socket, a folder or a link to one is never replaced, and a pipe is never waited on.
#include "cli/archive_command.h"
#include "cli/canvas_command.h"
#include "cli/decode_command.h"
#include "cli/pcl_command.h"
#include "cli/pcl_pdf_command.h"
#include "cli/rescale_command.h"
#include "cli/schedule_command.h"
#include "cli/split_command.h"
#include "cli/stamp_command.h"
#include "demo/demo_day.h"

#include "support/special_files.h"
#include "support/temp_dir.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <unistd.h>
#include <vector>

namespace analysis::cli {
namespace {

using analysis::testing::SpecialFile;
using analysis::testing::TempDir;
using VerbFunction = int (*)(std::span<const std::string>, std::ostream&, std::ostream&);
using Words = std::vector<std::string>;

/// Good inputs for every verb, and the special files in a folder of their own.
struct Inputs {
    TempDir dir;
    std::string dat =
        dir.write("Analysis.DAT", demo::makeDataFile(demo::makeAnalysisText(demo::demoDay()), 1))
            .string();
    std::string report = dir.write("A01Kee", "\f@A01Kee\r\na line\r\n").string();
    std::string prn = dir.write("Analysis.PRN", "first\r\n\r\nsecond\r\n\f").string();
    std::string lst =
        dir.write("SimoDump.LST", "         1:10 -  1 Kee  - 10.0f T       \r\n").string();
    std::vector<SpecialFile> specials = makeSpecials();

    std::vector<SpecialFile> makeSpecials() {
        std::filesystem::create_directory(dir / "special");
        std::vector<SpecialFile> made = testing::makeSpecialFiles(dir / "special");
        // Run as root, as the tests are, every kind is there.
        if (::geteuid() == 0) {
            EXPECT_EQ(made.size(), 6u);
        }
        return made;
    }
};

/// The path under test in a verb's words.
constexpr const char* At = "@";

/// words with each At replaced by path.
Words with(Words words, const std::string& path) {
    std::replace(words.begin(), words.end(), std::string(At), path);
    return words;
}

TEST(SpecialFiles, NoVerbReplacesWhatIsNotAFile) {
    Inputs in;
    struct Case {
        const char* name;
        VerbFunction verb;
        Words args;
        /// Such a verb makes a Qt application, which must be on the main thread; it never reads
        /// what it writes, so it cannot wait on a pipe there.
        bool drawsWithQt = false;
    };
    const Case cases[] = {
        {"rescale", runRescaleCommand, {At}},
        {"decode", runDecodeCommand, {in.dat, At}},
        {"archive-restore", runArchiveRestoreCommand, {in.report, At}},
        {"archive-save", runArchiveSaveCommand, {At, in.report}},
        {"pcl -o", runPclCommand, {in.prn, "H", "-o", At}},
        {"stamp",
         runStampCommand,
         {At, "--weekday", "3", "--clock", "12:00:00", "--job", "0001", in.report}},
        {"canvas -o", runCanvasCommand, {in.prn, "J", "--page", "4800x6400", "-o", At}, true},
        {"pcl --pdf", runPclPdfCommand, {in.prn, "J", "--pdf", At}, true},
        {"schedule -o",
         runScheduleCommand,
         {in.lst, "--tracks", "Kee", "--page", "4800x6400", "-o", At},
         true},
    };
    const std::ptrdiff_t entries = in.dir.entryCount();
    for (const SpecialFile& special : in.specials) {
        const std::string before = testing::describe(special.path);
        for (const Case& c : cases) {
            const std::string what = std::string(c.name) + " onto a " + special.kind;
            Outcome run;
            auto runIt = [&] { run = runVerbFor(c.verb, with(c.args, special.path.string())); };
            if (c.drawsWithQt)
                runIt();
            else
                EXPECT_TRUE(testing::returnsPromptly(runIt, special.path)) << what << " waited";
            EXPECT_EQ(run.status, 2) << what;
            EXPECT_EQ(run.err,
                      "analysis-tool: " + special.reason + ": " + special.path.string() + "\n")
                << what;
            EXPECT_EQ(testing::describe(special.path), before) << what;
            // Nothing was made beside it, nor beside the inputs.
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(in.dir / "special"),
                                    std::filesystem::directory_iterator()),
                      static_cast<std::ptrdiff_t>(in.specials.size()))
                << what;
            EXPECT_EQ(in.dir.entryCount(), entries) << what;
        }
    }
}

TEST(SpecialFiles, APipeGivenToReadIsNeverWaitedOn) {
    Inputs in;
    const std::string out = (in.dir / "out").string();
    std::filesystem::create_directory(in.dir / "split");
    struct Case {
        const char* name;
        VerbFunction verb;
        Words args;
        int status;
    };
    const Case cases[] = {
        {"decode", runDecodeCommand, {At, out}, 2},
        {"rescale", runRescaleCommand, {At}, 2},
        {"pcl", runPclCommand, {At, "H", "-o", out}, 2},
        {"canvas", runCanvasCommand, {At, "J", "--page", "4800x6400", "--trace"}, 2},
        {"split", runSplitCommand, {At, (in.dir / "split").string()}, 2},
        {"schedule",
         runScheduleCommand,
         {At, "--tracks", "Kee", "--page", "4800x6400", "--trace"},
         2},
        {"archive-restore", runArchiveRestoreCommand, {At, out}, 2},
        // A report file that is not a file is skipped, as one that does not exist.
        {"archive-save", runArchiveSaveCommand, {out, At}, 0},
        {"stamp",
         runStampCommand,
         {out, "--weekday", "3", "--clock", "12:00:00", "--job", "0001", At},
         0},
    };
    for (const SpecialFile& special : in.specials) {
        if (special.reason != testing::PipeReason)
            continue;
        for (const Case& c : cases) {
            const std::string what = std::string(c.name) + " reading a " + special.kind;
            Outcome run;
            EXPECT_TRUE(testing::returnsPromptly(
                [&] { run = runVerbFor(c.verb, with(c.args, special.path.string())); },
                special.path))
                << what << " waited on the pipe";
            EXPECT_EQ(run.status, c.status) << what << ": " << run.err;
            if (c.status == 2) {
                EXPECT_EQ(run.err,
                          "analysis-tool: " + special.reason + ": " + special.path.string() + "\n")
                    << what;
            }
            std::filesystem::remove(out);
        }
    }
}

} // namespace
} // namespace analysis::cli
