// Fuzzes the data file decoder: any file gives a text or an AnalysisError, never a crash.
#include "core/document/decoder.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace analysis;
    const auto dataFile = fuzz::inputFile("Analysis.DAT", fuzz::bytesOf(data, size));
    try {
        DecodeDailyData(dataFile, fuzz::workFolder() / "Analysis.TXT", "1234");
    } catch (const AnalysisError&) {
    }
    return 0;
}
