#include "core/print/print_dispatch.h"

#include "core/print/canvas/recording_canvas.h"
#include "core/print/pcl/pcl_composer.h"
#include "core/print/pcl/raw_spooler.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

/// Keeps what reached the printer.
class CapturingSpooler : public pcl::RawSpooler {
public:
    pcl::SpoolResult openPrinter(const std::string& name) override {
        printer = name;
        return pcl::SpoolResult::done();
    }
    pcl::SpoolResult startRawDocument(const std::string&) override {
        return pcl::SpoolResult::done();
    }
    pcl::SpoolResult startPage() override { return pcl::SpoolResult::done(); }
    pcl::SpoolResult write(std::string_view bytes) override {
        received += bytes;
        return pcl::SpoolResult::done();
    }
    void endPage() override {}
    pcl::SpoolResult endDocument() override { return pcl::SpoolResult::done(); }
    void cancelDocument() override {}
    void closePrinter() override {}

    std::string printer;
    std::string received;
};

const char* Report = "\x0c@B01Aqu\r\nfirst block\r\n\r\nsecond block\r\n";

TEST(PrintInMode, WinModesDrawOnTheCanvasOnly) {
    testing::TempDir dir;
    auto prn = dir.write("Analysis.PRN", Report);
    RecordingCanvas canvas(4800, 6300);
    CapturingSpooler spooler;
    PrintDevices devices{canvas, spooler, "q"};
    auto pageIsLong = printInMode({3, false, false}, prn, dir / "Analysis.PCL", devices);
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
    PrintDevices devices{canvas, spooler, "Office"};
    EXPECT_EQ(printInMode({6, true, true}, prn, dir / "Analysis.PCL", devices), std::nullopt);
    EXPECT_TRUE(canvas.trace().empty());

    OutputFile expected(dir / "expected.pcl");
    pcl::PrintPclJob(prn, 'H', true, true, expected);
    expected.commit();
    EXPECT_EQ(spooler.printer, "Office");
    EXPECT_EQ(spooler.received, dir.read("expected.pcl"));
}

} // namespace
} // namespace analysis
