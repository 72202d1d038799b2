// analysis-tool rescale: the post-pass in place, its warning and its refusals.
#include "cli/rescale_command.h"
#include "support/temp_dir.h"
#include "support/value_block.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace analysis::cli {
namespace {

using namespace analysis::testing;

TEST(RescaleCommand, RescalesTheFileInPlace) {
    TempDir dir;
    auto file = dir.write("E05Bel", crlfLines({"E05Bel", blockHeader(), valueLine(" 3.0", " 1.0"),
                                               valueLine(" 3.0", " 3.0", "Out!"),
                                               valueLine(" 3.0", " 3.0"), blockCloser()}));
    const Outcome run = runVerbFor(runRescaleCommand, {file.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(dir.read("E05Bel"), crlfLines({"E05Bel", blockHeader(), valueLine(" 1.0", "  .5"),
                                             valueLine(" 1.0", " 2.0"), blockCloser()}));
}

TEST(RescaleCommand, UnreadableFieldWarnsAndExitsOne) {
    TempDir dir;
    auto file = dir.write("A01Kee", crlfLines({blockHeader(), valueLine("-1.0", " 3.0"),
                                               valueLine(" 1.0", " 3.0"), blockCloser()}));
    const Outcome run = runVerbFor(runRescaleCommand, {file.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("warning"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("A01Kee"), std::string::npos) << run.err;
    EXPECT_EQ(dir.read("A01Kee"), crlfLines({blockHeader(), valueLine("-1.0", " 1.0"),
                                             valueLine("  .0", " 1.0"), blockCloser()}));
}

TEST(RescaleCommand, AFileThatIsNotAReportIsRefusedUnchangedAndExitsTwo) {
    TempDir dir;
    const std::string bytes = std::string(200000, 'x');
    auto file = dir.write("big.bin", bytes);
    const Outcome run = runVerbFor(runRescaleCommand, {file.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Not a report"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("big.bin"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(dir.read("big.bin"), bytes);
}

TEST(RescaleCommand, BadArgumentsAndMissingFilesExitTwo) {
    TempDir dir;
    const Outcome missing = runVerbFor(runRescaleCommand, {(dir / "B02Sar").string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("File not found"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("B02Sar"), std::string::npos) << missing.err;
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    EXPECT_EQ(runVerbFor(runRescaleCommand, {}).status, 2);
    EXPECT_EQ(runVerbFor(runRescaleCommand, {"a", "b"}).status, 2);
    EXPECT_EQ(runVerbFor(runRescaleCommand, {"--pretty", "a"}).status, 2);
    const Outcome help = runVerbFor(runRescaleCommand, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: analysis-tool rescale FILE"), std::string::npos);
}

} // namespace
} // namespace analysis::cli
