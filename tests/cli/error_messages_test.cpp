// The message of a failed verb names the file at fault and the real cause: the missing input
// rather than the output, the folder that is missing or is a file rather than a file inside it.
#include "cli/decode_command.h"
#include "cli/pcl_command.h"
#include "cli/split_command.h"
#include "demo/demo_day.h"
#include "support/temp_dir.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

namespace analysis::cli {
namespace {

using analysis::testing::TempDir;
using VerbFunction = int (*)(std::span<const std::string>, std::ostream&, std::ostream&);

TEST(ErrorMessages, NameTheFileAtFaultAndTheCause) {
    TempDir dir;
    const std::string text = demo::makeAnalysisText(demo::demoDay());
    const std::string txt = dir.write("Analysis.TXT", text).string();
    const std::string dat = dir.write("Analysis.DAT", demo::makeDataFile(text, 1)).string();
    const std::string prn = dir.write("Analysis.PRN", "A\r\n").string();
    const std::string aFile = dir.write("afile", "not a folder").string();
    const std::string missing = (dir / "missing.prn").string();
    std::filesystem::create_directory(dir / "afolder");
    const std::string aFolder = (dir / "afolder").string();

    struct Case {
        const char* what;
        VerbFunction verb;
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {"missing input, output in a missing folder",
         runPclCommand,
         {missing, "H", "-o", "/nonexistent/o.pcl"},
         "File not found: " + missing},
        {"output in a missing folder",
         runPclCommand,
         {prn, "H", "-o", "/nonexistent/o.pcl"},
         "Folder not found: /nonexistent (for /nonexistent/o.pcl)"},
        {"input that is a folder",
         runPclCommand,
         {aFolder, "H", "-o", (dir / "o.pcl").string()},
         "A folder stands where the file should be: " + aFolder},
        {"split into a file",
         runSplitCommand,
         {txt, aFile},
         "Not a folder: " + aFile + " (for " + aFile + "/"},
        {"split into a missing folder",
         runSplitCommand,
         {txt, (dir / "none").string()},
         "Folder not found: " + (dir / "none").string() + " (for "},
        {"decode into a file's subfolder",
         runDecodeCommand,
         {dat, (dir / "afile" / "Analysis.TXT").string()},
         "Not a folder: " + aFile + " (for " + aFile + "/Analysis.TXT)"},
        {"decode into a folder",
         runDecodeCommand,
         {dat, aFolder},
         "A folder stands where the file should be: " + aFolder},
    };
    for (const Case& c : cases) {
        const Outcome run = runVerbFor(c.verb, c.args);
        EXPECT_EQ(run.status, 2) << c.what;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.what << ": " << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "o.pcl"));
}

} // namespace
} // namespace analysis::cli
