// Fuzzes the analysis text through a whole day: cut into reports (as the plainest line-by-line
// cut would), into report files, listed with E reports re-cut, and joined back. Whatever the text,
// the join takes every report file away and makes no text out of nothing.
#include "core/common/text_lines.h"
#include "core/document/report_files.h"
#include "core/document/report_index.h"
#include "core/document/report_list.h"
#include "fuzz_input.h"

#include <cstdlib>
#include <iterator>
#include <unordered_map>

namespace {

/// The cut as the plainest reading of its rule: each line, ended by CR LF, to the report of the
/// last separator above it. The program's cut takes runs of lines at a time and must agree.
std::vector<analysis::CutReport> cutLineByLine(std::string_view text) {
    std::vector<analysis::CutReport> reports;
    std::unordered_map<std::string, std::size_t> byCode;
    std::size_t current = 0;
    bool inReport = false;
    analysis::LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        std::string code = analysis::reportCodeOf(line);
        if (!code.empty()) {
            auto [found, added] = byCode.try_emplace(code, reports.size());
            if (added)
                reports.push_back({std::move(code), {}});
            current = found->second;
            inReport = true;
        }
        if (inReport)
            reports[current].lines.append(line).append("\r\n");
    }
    return reports;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace analysis;
    const std::filesystem::path folder = fuzz::workFolder() / "install";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    const std::string_view text = fuzz::bytesOf(data, size);
    writeFileAtomically(folder / "Analysis.TXT", text);
    try {
        const std::vector<CutReport> cut = cutReports(text);
        const std::vector<CutReport> expected = cutLineByLine(text);
        if (cut.size() != expected.size())
            std::abort();
        for (std::size_t i = 0; i < cut.size(); ++i)
            if (cut[i].code != expected[i].code || cut[i].lines != expected[i].lines)
                std::abort();
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
