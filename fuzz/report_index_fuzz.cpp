// Fuzzes the analysis text through a whole day: cut into report files, listed with E reports
// re-cut, and joined back. Whatever the text, the join takes every report file away and makes
// no text out of nothing.
#include "core/document/report_index.h"
#include "core/document/report_list.h"
#include "fuzz_input.h"

#include <cstdlib>
#include <iterator>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace analysis;
    const std::filesystem::path folder = fuzz::workFolder() / "install";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    const std::string_view text = fuzz::bytesOf(data, size);
    writeFileAtomically(folder / "Analysis.TXT", text);
    try {
        const std::vector<std::string> index = SplitAnalysis(folder);
        // The first byte picks the list settings, so the fuzzer explores them too.
        const int limit = size > 0 ? data[0] % 16 : 7;
        ListSettings settings{"AXEB", "@ABCDEFGHIJKLMNOPQRSTUVWXYZ", limit, true};
        BuildReportList(folder, index, settings);
        if (RejoinAnalysis(folder, index) != RejoinOutcome::Joined)
            return 0;
        // Each line comes back at most with a CR LF it did not have.
        if (readFile(folder / "Analysis.TXT").size() > 3 * text.size() + 2)
            std::abort();
        if (std::distance(std::filesystem::directory_iterator(folder), {}) != 1)
            std::abort(); // a report file outlived the join
    } catch (const AnalysisError&) {
    }
    return 0;
}
