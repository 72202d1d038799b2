// Fuzzes the canvas engine's print-file reader and page plan in every layout: any print file
// is drawn or refused with an AnalysisError.
#include "core/print/canvas/canvas_composer.h"
#include "core/print/canvas/recording_canvas.h"
#include "core/print/print_modes.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace analysis;
    if (size < 1)
        return 0;
    // The layout the low two bits pick, as they pick it in the print options.
    const char letter = LayoutLetter(data[0]);
    const auto printFile = fuzz::inputFile("Analysis.PRN", fuzz::bytesOf(data + 1, size - 1));
    try {
        RecordingCanvas canvas(4800, data[0] & 4 ? 8200 : 6400);
        PrintFileOnCanvas(canvas, printFile, letter);
    } catch (const AnalysisError&) {
    }
    return 0;
}
