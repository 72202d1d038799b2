// Fuzzes the job stamp: report files stamped into a print file, and the clock text made from
// whatever the system's time format gives.
#include "core/print/print_file.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace analysis;
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const std::filesystem::path reports[] = {fuzz::inputFile("A01Aqu", bytes)};
    JobStamp stamp{'3', clockText(std::string(bytes.substr(0, 16))), "0042"};
    try {
        writePrintFile(reports, fuzz::workFolder() / "Analysis.PRN", &stamp);
    } catch (const AnalysisError&) {
    }
    return 0;
}
