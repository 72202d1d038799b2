// Fuzzes the canvas engine's print-file reader and page plan in every layout: any print file
// is drawn or refused with an AnalysisError.
#include "core/print/canvas/canvas_composer.h"
#include "core/print/canvas/recording_canvas.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace analysis;
    if (size < 1)
        return 0;
    constexpr char Letters[] = {'G', 'H', 'I', 'J'};
    const char letter = Letters[data[0] % 4];
    const auto printFile = fuzz::inputFile("Analysis.PRN", fuzz::bytesOf(data + 1, size - 1));
    try {
        RecordingCanvas canvas(4800, data[0] & 4 ? 8200 : 6400);
        PrintFileOnCanvas(canvas, printFile, letter);
    } catch (const AnalysisError&) {
    }
    return 0;
}
