// Speed of cutting the heavy day into report files, listing it, and joining it back, each beside
// plain stream copies of the same files.
#include "core/common/file_io.h"
#include "core/document/report_files.h"
#include "core/document/report_index.h"
#include "core/document/report_list.h"
#include "demo/demo_day.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace analysis;
namespace fs = std::filesystem;

const ListSettings EveryReport{"ABEX", "@ABCDEFGHIJKLMNOPQRSTUVWXYZ", 7, true};

/// A folder holding the heavy day's "Analysis.TXT", made once and removed at exit.
class Install {
public:
    Install() {
        std::string pattern = fs::temp_directory_path() / "analysis-split-bench-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        folder_ = pattern;
        text_ = demo::makeAnalysisText(demo::heavyDay());
        writeFileAtomically(textFile(), text_);
        index_ = SplitAnalysis(folder_);
        BuildReportList(folder_, index_, EveryReport);
        for (const std::string& code : index_)
            for (const fs::path& file : {workingFile(folder_, code), twinFile(folder_, code)})
                files_.push_back({file, readFile(file)});
    }
    ~Install() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    const fs::path& folder() const { return folder_; }
    fs::path textFile() const { return folder_ / "Analysis.TXT"; }
    const std::string& text() const { return text_; }
    const std::vector<std::string>& index() const { return index_; }

    struct File {
        fs::path path;
        std::string bytes;
    };
    /// Every report file as the split and the list leave it.
    const std::vector<File>& files() const { return files_; }

    /// Puts back the text and the report files as they are between start-up and closing.
    void restoreSplitState() const {
        writePlain(textFile(), text_);
        for (const File& file : files_)
            writePlain(file.path, file.bytes);
    }

    static void writePlain(const fs::path& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

private:
    fs::path folder_;
    std::string text_;
    std::vector<std::string> index_;
    std::vector<File> files_;
};

const Install& install() {
    static const Install day;
    return day;
}

void reportSizes(benchmark::State& state) {
    state.counters["reports"] = static_cast<double>(install().index().size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(install().text().size()));
}

void BM_SplitAndBuildList(benchmark::State& state) {
    const Install& day = install();
    for (auto _ : state) {
        std::vector<std::string> index = SplitAnalysis(day.folder());
        benchmark::DoNotOptimize(BuildReportList(day.folder(), index, EveryReport));
    }
    reportSizes(state);
}
BENCHMARK(BM_SplitAndBuildList)->Unit(benchmark::kMillisecond)->UseRealTime();

/// The baseline: reading the text and writing every report file once with plain streams.
void BM_SplitBaselineStreamWrites(benchmark::State& state) {
    const Install& day = install();
    for (auto _ : state) {
        std::ifstream in(day.textFile(), std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        benchmark::DoNotOptimize(text.data());
        for (const Install::File& file : day.files())
            Install::writePlain(file.path, file.bytes);
    }
    reportSizes(state);
}
BENCHMARK(BM_SplitBaselineStreamWrites)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RejoinAnalysis(benchmark::State& state) {
    const Install& day = install();
    for (auto _ : state) {
        state.PauseTiming();
        day.restoreSplitState();
        state.ResumeTiming();
        RejoinAnalysis(day.folder(), day.index());
    }
    reportSizes(state);
}
BENCHMARK(BM_RejoinAnalysis)->Unit(benchmark::kMillisecond)->UseRealTime();

/// The baseline: copying every report's file into the text with plain streams and deleting
/// the report files.
void BM_RejoinBaselineStreamCopies(benchmark::State& state) {
    const Install& day = install();
    for (auto _ : state) {
        state.PauseTiming();
        day.restoreSplitState();
        state.ResumeTiming();
        std::ofstream out(day.textFile(), std::ios::binary | std::ios::trunc);
        for (const std::string& code : day.index()) {
            const bool eReport = code.starts_with('E');
            const fs::path working = workingFile(day.folder(), code);
            const fs::path twin = twinFile(day.folder(), code);
            std::ifstream in(eReport ? twin : working, std::ios::binary);
            out << in.rdbuf();
            fs::remove(working);
            fs::remove(twin);
        }
        out.close();
    }
    reportSizes(state);
}
BENCHMARK(BM_RejoinBaselineStreamCopies)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
