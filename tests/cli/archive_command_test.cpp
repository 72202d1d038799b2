// analysis-tool archive-name, archive-save and archive-restore.
#include "cli/archive_command.h"
#include "support/temp_dir.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

namespace analysis::cli {
namespace {

using analysis::testing::TempDir;

TEST(ArchiveNameCommand, ExitStatusTellsValidFromInvalid) {
    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const Case cases[] = {
        {{"AUGUST.TXT"}, 0},
        {{"ABCDEFGHIJKL"}, 0},
        {{"--", "-day.1"}, 0},
        {{"ABCDEFGHIJKLM"}, 1},
        {{".TXT"}, 1},
        {{"A.B.C"}, 1},
        {{"AUG UST"}, 1},
        {{"a/b"}, 1},
        {{}, 2},
        {{"A", "B"}, 2},
        {{"a" + std::string(300, '\x80')}, 1},
    };
    for (const Case& c : cases) {
        const Outcome run = runVerbFor(runArchiveNameCommand, c.args);
        EXPECT_EQ(run.status, c.status) << (c.args.empty() ? "" : c.args.back());
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.empty(), c.status == 0);
    }
    const Outcome why = runVerbFor(runArchiveNameCommand, {"AUGUST.TEXT"});
    EXPECT_EQ(why.err, "analysis-tool: The archive name \"AUGUST.TEXT\" has more than 3 "
                       "characters after its dot\n");
}

TEST(ArchiveCommands, HelpOnEachVerb) {
    for (auto verb : {runArchiveNameCommand, runArchiveSaveCommand, runArchiveRestoreCommand}) {
        const Outcome run = runVerbFor(verb, {"--help"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.rfind("usage: analysis-tool archive-", 0), 0u) << run.out;
    }
}

TEST(ArchiveCommands, SaveThenRestoreGivesTheReportsBack) {
    TempDir dir;
    const auto a = dir.write("A01Kee", "\f@A01Kee\r\na\r\n");
    const auto x = dir.write("X01Kee", "\f@X01Kee\nx");
    const auto archive = dir / "Archive" / "DAY.TXT";
    std::filesystem::create_directory(dir / "Archive");
    Outcome run = runVerbFor(runArchiveSaveCommand,
                             {archive.string(), a.string(), (dir / "none").string(), x.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string saved = "\f@A01Kee\r\na\r\n\f@X01Kee\r\nx\r\n";
    EXPECT_EQ(dir.read(archive), saved);

    dir.write("Analysis.TXT", "the day before\r\n");
    run = runVerbFor(runArchiveRestoreCommand, {archive.string(), (dir / "Analysis.TXT").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(dir.read("Analysis.TXT"), saved);
}

TEST(ArchiveCommands, FailuresNameTheFolderOrFileAndWriteNothing) {
    TempDir dir;
    const auto a = dir.write("A01Kee", "a\r\n");
    Outcome run =
        runVerbFor(runArchiveSaveCommand, {(dir / "Archive" / "DAY").string(), a.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "analysis-tool: Folder not found: " + (dir / "Archive").string() + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "Archive"));

    dir.write("Analysis.TXT", "the day\r\n");
    run = runVerbFor(runArchiveRestoreCommand,
                     {(dir / "NONE").string(), (dir / "Analysis.TXT").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("File not found: " + (dir / "NONE").string()), std::string::npos);
    EXPECT_EQ(dir.read("Analysis.TXT"), "the day\r\n");

    EXPECT_EQ(runVerbFor(runArchiveRestoreCommand, {a.string()}).status, 2);
    EXPECT_EQ(runVerbFor(runArchiveSaveCommand, {}).status, 2);
}

} // namespace
} // namespace analysis::cli
