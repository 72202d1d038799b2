#include "cli/pcl_command.h"

#include "support/temp_dir.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace analysis::cli {
namespace {

Outcome runPcl(const std::vector<std::string>& args) {
    return runVerbFor(runPclCommand, args);
}

TEST(PclCommand, WritesThePclStreamOfTheLayout) {
    analysis::testing::TempDir dir;
    std::string prn = dir.write("Analysis.PRN", "A\r\n\r\nB").string();
    std::string pcl = (dir / "out.pcl").string();

    Outcome run = runPcl({prn, "J", "--legal", "--duplex", "-o", pcl});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(dir.read("out.pcl"), "\x1b"
                                   "E\x1b&l0O\x1b&l1S\x1b&l3A\x1b(s0p12.00h10.00v0s2b0T\x1b(10U"
                                   "\x1b&a090v0540HA\x1b&a0210v0540H\x1b&a0330v0540HB\x0c\x1b"
                                   "E");
}

TEST(PclCommand, BadInputWritesNothing) {
    analysis::testing::TempDir dir;
    std::string prn = dir.write("Analysis.PRN", "A\r\n").string();
    std::string pcl = (dir / "out.pcl").string();
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{prn, "K", "-o", pcl}, "layout letter must be G, H, I or J"},
        {{prn, "GH", "-o", pcl}, "layout letter must be G, H, I or J"},
        {{prn, "J"}, "missing -o OUT_PCL"},
        {{prn, "J", "--landscape", "-o", pcl}, "unknown option --landscape"},
        {{(dir / "missing.PRN").string(), "J", "-o", pcl}, "File not found"},
    };
    for (const Case& c : cases) {
        Outcome run = runPcl(c.args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(pcl)) << c.message;
        EXPECT_EQ(dir.entryCount(), 1) << "a temporary file was left behind: " << c.message;
    }
}

} // namespace
} // namespace analysis::cli
