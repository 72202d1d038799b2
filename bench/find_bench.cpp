// Speed of finding a text across the heavy day (960 reports, 19 MB), as the window's search
// does it, beside a plain read of the same report files.
#include "core/common/file_io.h"
#include "core/day/day.h"
#include "core/document/report_files.h"
#include "core/document/report_index.h"
#include "core/document/report_list.h"
#include "core/tools/report_search.h"
#include "demo/demo_day.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace analysis;
namespace fs = std::filesystem;

/// The heavy day split and listed in a folder of its own, as between start-up and closing;
/// made once and removed at exit.
class Install {
public:
    Install() {
        std::string pattern = fs::temp_directory_path() / "analysis-find-bench-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        folder_ = pattern;
        writeFileAtomically(folder_ / "Analysis.TXT", demo::makeAnalysisText(demo::heavyDay()));
        index_ = SplitAnalysis(folder_);
        BuildReportList(folder_, index_, {"ABEX", "@ABCDEFGHIJKLMNOPQRSTUVWXYZ", 7, true});
        for (const std::string& code : index_)
            bytes_ += static_cast<std::int64_t>(fs::file_size(workingFile(folder_, code)));
    }
    ~Install() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    const fs::path& folder() const { return folder_; }
    const std::vector<std::string>& index() const { return index_; }
    std::int64_t bytes() const { return bytes_; }

private:
    fs::path folder_;
    std::vector<std::string> index_;
    std::int64_t bytes_ = 0;
};

const Install& install() {
    static const Install day;
    return day;
}

/// The session's search: every report, the hits kept up to the window's limit.
std::size_t findInDay(const Install& day, const std::string& text, bool caseSensitive) {
    std::vector<ReportHit> hits;
    searchReportFiles(day.folder(), day.index(), ReportSearch(text, caseSensitive),
                      [&hits](const ReportHit& hit) {
                          if (hits.size() == DaySearchHitLimit)
                              return false;
                          hits.push_back(hit);
                          return true;
                      });
    return hits.size();
}

void BM_FindInDay(benchmark::State& state, const std::string& text, bool caseSensitive) {
    const Install& day = install();
    std::size_t hits = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(hits = findInDay(day, text, caseSensitive));
    state.counters["reports"] = static_cast<double>(day.index().size());
    state.counters["hits"] = static_cast<double>(hits);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * day.bytes());
}
// A horse's name: a few hundred hits over the whole day.
BENCHMARK_CAPTURE(BM_FindInDay, horse_either_case, std::string("copper tale"), false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_FindInDay, horse_case_heeded, std::string("COPPER TALE"), true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// Found nowhere: every byte of every report is looked at.
BENCHMARK_CAPTURE(BM_FindInDay, nowhere, std::string("qqzzx"), false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// A race heading: thousands of hits, each with its line.
BENCHMARK_CAPTURE(BM_FindInDay, race_heading, std::string("race 7"), false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

/// The baseline: reading every working file once, nothing sought.
void BM_FindBaselineReadFiles(benchmark::State& state) {
    const Install& day = install();
    for (auto _ : state)
        for (const std::string& code : day.index())
            benchmark::DoNotOptimize(readFile(workingFile(day.folder(), code)));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * day.bytes());
}
BENCHMARK(BM_FindBaselineReadFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
