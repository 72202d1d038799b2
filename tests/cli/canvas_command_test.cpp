#include "cli/canvas_command.h"

#include "support/temp_dir.h"
#include "verb_outcome.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace analysis::cli {
namespace {

Outcome canvas(const std::vector<std::string>& args) {
    return runVerbFor(runCanvasCommand, args);
}

TEST(CanvasCommand, TheLargestPageItTakesDrawsWithinThePage) {
    testing::TempDir dir;
    std::string prn = dir.write("Analysis.PRN", "first\r\n\r\nsecond\r\n\f").string();
    Outcome run = canvas({prn, "G", "--page", "1000000x1000000", "--trace"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find(" -"), std::string::npos) << run.out; // no negative position
    EXPECT_NE(run.out.find("second"), std::string::npos);
}

TEST(CanvasCommand, TracesTheDrawCalls) {
    testing::TempDir dir;
    std::string prn = dir.write("Analysis.PRN", "\xC9\xCD\xBB\r\n\r\n\xBA x\r\n\f").string();
    Outcome run = canvas({prn, "J", "--page", "4800x6300", "--trace"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "begin portrait\n"
                       "font Courier New|9|bold\n"
                       "text 637 75 +-+\n"
                       "text 637 195 \n"
                       "text 637 315 | x\n"
                       "end\n");

    run = canvas({prn, "G", "--trace", "--page", "4800x6300"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with("begin landscape\nfont Courier New|7|bold\ntext 150 75 +-+\n"))
        << run.out;
}

TEST(CanvasCommand, WritesAPdf) {
    testing::TempDir dir;
    std::string prn =
        dir.write("Analysis.PRN", "first\r\n\r\nsecond\r\n\fthird\r\nx\r\n\f").string();
    std::string pdf = (dir / "out.pdf").string();
    for (int pass = 0; pass < 2; ++pass) {
        Outcome run = canvas({prn, "H", "--page", "4800x6300", "-o", pdf});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(dir.read("out.pdf").starts_with("%PDF"));
    }
    EXPECT_EQ(dir.entryCount(), 2);
}

TEST(CanvasCommand, BadInputStopsWithStatusTwoAndWritesNothing) {
    testing::TempDir dir;
    std::string prn = dir.write("Analysis.PRN", "a\r\nb\r\n").string();
    std::string pdf = (dir / "out.pdf").string();
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{(dir / "none.PRN").string(), "J", "--page", "4800x6300", "-o", pdf}, "File not found"},
        {{prn, "K", "--page", "4800x6300", "-o", pdf}, "LETTER must be G, H, I or J"},
        {{prn, "J", "--page", "4800by6300", "-o", pdf}, "--page needs WxH"},
        {{prn, "J", "--page", "0x6300", "-o", pdf}, "--page needs WxH"},
        {{prn, "J", "--page", "4800x3000000000", "--trace"}, "--page needs WxH"},
        {{prn, "J", "--page", "99999999999999999999x6300", "--trace"}, "--page needs WxH"},
        {{prn, "J", "-o", pdf}, "--page WxH is required"},
        {{prn, "J", "--page", "4800x6300"}, "either --trace or -o"},
        {{prn, "J", "--page", "4800x6300", "--trace", "-o", pdf}, "either --trace or -o"},
        {{prn, "J", "--page", "4800x6300", "-o", (dir / "no/such/out.pdf").string()},
         "Folder not found: " + (dir / "no").string()},
    };
    for (const Case& c : cases) {
        Outcome run = canvas(c.args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(dir.entryCount(), 1);
}

} // namespace
} // namespace analysis::cli
