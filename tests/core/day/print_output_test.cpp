#include "core/day/print_output.h"

#include "core/print/canvas/recording_canvas.h"
#include "core/print/pcl/pcl_composer.h"
#include "support/capturing_spooler.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

using testing::CapturingSpooler;

const char* Report = "\x0c@B01Aqu\r\nfirst block\r\n\r\nsecond block\r\n";

TEST(PrintInMode, WinModesDrawOnTheCanvasOnly) {
    testing::TempDir dir;
    auto prn = dir.write("Analysis.PRN", Report);
    RecordingCanvas canvas(4800, 6300);
    CapturingSpooler spooler;
    PrinterOutput printer(canvas, spooler, "q");
    auto pageIsLong = printInMode({3, false, false}, prn, dir / "Analysis.PCL", printer);
    EXPECT_EQ(pageIsLong, std::optional<bool>(false));
    EXPECT_NE(canvas.trace().find("begin landscape"), std::string::npos);
    EXPECT_NE(canvas.trace().find("second block"), std::string::npos);
    EXPECT_TRUE(spooler.received.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "Analysis.PCL"));
}

TEST(PrintInMode, PclModesSpoolTheComposedBytesUnchanged) {
    testing::TempDir dir;
    auto prn = dir.write("Analysis.PRN", Report);
    RecordingCanvas canvas(4800, 6300);
    CapturingSpooler spooler;
    PrinterOutput printer(canvas, spooler, "Office");
    EXPECT_EQ(printInMode({6, true, true}, prn, dir / "Analysis.PCL", printer), std::nullopt);
    EXPECT_TRUE(canvas.trace().empty());

    OutputFile expected(dir / "expected.pcl");
    pcl::PrintPclJob(prn, 'H', true, true, expected);
    expected.commit();
    EXPECT_EQ(spooler.printer, "Office");
    EXPECT_EQ(spooler.received, dir.read("expected.pcl"));
}

} // namespace
} // namespace analysis
