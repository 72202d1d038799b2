// Fuzzes the PCL page reader behind the PCL preview and Export PDF: any stream, escape sequences
// and values included, is read into pages and drawn without fault.
#include "core/print/canvas/recording_canvas.h"
#include "core/print/pcl/pcl_pages.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace analysis;
    const std::vector<pcl::PclPage> pages = pcl::readPclPages(fuzz::bytesOf(data, size));
    try {
        RecordingCanvas canvas(5100, 6600);
        pcl::drawPclPages(canvas, pages);
    } catch (const AnalysisError&) {
    }
    return 0;
}
