// The whole start of the heavy day as the window opens it (decode, help pages and schedule,
// split into about 2000 report files, list with the E reports re-cut), beside plain creation of
// the same files with the same bytes.
#include "core/common/file_io.h"
#include "core/common/temporary_files.h"
#include "core/day/day_session.h"
#include "demo/demo_day.h"
#include "resources/embedded_resources.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace analysis;
namespace fs = std::filesystem;

/// An installation holding the heavy day's data file, made once.
class HeavyInstallation {
public:
    HeavyInstallation() : folders_(installFoldersFor(profile_.path().string())) {
        for (const char* folder : {"Exec", "Data", "Help", "Archive"})
            fs::create_directories(folders_.InstallFolder / folder);
        std::string text = demo::makeAnalysisText(demo::heavyDay());
        writeFileAtomically(folders_.file(files::DataFile), demo::makeDataFile(text, 19000));
    }

    DaySessionSetup setup() const {
        return {
            folders_, {}, [](char name, const fs::path& file) { ExtractResource(name, file); }, {}};
    }
    const InstallFolders& folders() const { return folders_; }

private:
    TemporaryFolder profile_{"analysis-day-bench"};
    InstallFolders folders_;
};

const HeavyInstallation& installation() {
    static const HeavyInstallation heavy;
    return heavy;
}

void BM_DaySessionOpen(benchmark::State& state) {
    const HeavyInstallation& heavy = installation();
    std::size_t reports = 0;
    for (auto _ : state) {
        DaySession session(heavy.setup());
        DayStart day = session.open();
        if (day.status == DayStart::Status::Stopped)
            state.SkipWithError(day.message.c_str());
        reports = session.reportIndex() ? session.reportIndex()->size() : 0;
        state.PauseTiming();
        if (session.close())
            state.SkipWithError("the day's report files were gone at the close");
        state.ResumeTiming();
    }
    state.counters["reports"] = static_cast<double>(reports);
}
BENCHMARK(BM_DaySessionOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

/// The same report files, written with plain streams: what creating them costs at the least.
void BM_PlainFileCreation(benchmark::State& state) {
    const HeavyInstallation& heavy = installation();
    std::vector<std::pair<fs::path, std::string>> files;
    {
        DaySession session(heavy.setup());
        if (DayStart start = session.open(); start.status == DayStart::Status::Stopped)
            state.SkipWithError(start.message.c_str());
        for (const auto& entry : fs::directory_iterator(heavy.folders().InstallFolder))
            if (entry.is_regular_file() && entry.path().filename() != "Analysis.TXT")
                files.emplace_back(entry.path(), readFile(entry.path()));
        if (session.close())
            state.SkipWithError("the day's report files were gone at the close");
    }
    TemporaryFolder target("analysis-plain-bench");
    for (auto _ : state) {
        for (const auto& [path, bytes] : files)
            std::ofstream(target / path.filename(), std::ios::binary)
                .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        state.PauseTiming();
        for (const auto& [path, bytes] : files)
            fs::remove(target / path.filename());
        state.ResumeTiming();
    }
    state.counters["files"] = static_cast<double>(files.size());
}
BENCHMARK(BM_PlainFileCreation)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
