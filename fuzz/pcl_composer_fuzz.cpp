// Fuzzes the PCL engine: its print-file reader, column balance and composer, in every layout,
// paper and duplex setting the first byte picks.
#include "core/print/pcl/pcl_composer.h"
#include "core/print/print_modes.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace analysis;
    if (size < 1)
        return 0;
    // The layout the low two bits pick, as they pick it in the print options.
    const char letter = LayoutLetter(data[0]);
    const bool legal = (data[0] & 4) != 0;
    const bool duplex = (data[0] & 8) != 0;
    const auto printFile = fuzz::inputFile("Analysis.PRN", fuzz::bytesOf(data + 1, size - 1));
    try {
        OutputFile out(fuzz::workFolder() / "Analysis.PCL", OutputFile::Mode::Replace);
        pcl::PrintPclJob(printFile, letter, legal, duplex, out);
        out.commit();
    } catch (const AnalysisError&) {
    }
    return 0;
}
