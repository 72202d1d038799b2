// The whole start of the heavy day as the window opens it (decode, help pages and schedule,
// split into about 2000 report files, list with the E reports re-cut), beside plain creation of
// the same files with the same bytes; then two things a user does on that day through the
// session: PRINT of every report in a PCL mode, and Archive > Load of the whole day.
#include "core/common/file_io.h"
#include "core/common/temporary_files.h"
#include "core/day/day_session.h"
#include "core/print/canvas/printer_canvas.h"
#include "core/print/pcl/raw_spooler.h"
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
        return {folders_,
                {},
                [](char name, const fs::path& file) { ExtractResource(name, file); },
                PrinterChoice{{"Office"}, 0},
                {}};
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

/// A printer that takes everything and keeps nothing.
class NullCanvas : public PrinterCanvas {
public:
    void setOrientation(Orientation) override {}
    int pageWidth() const override { return 4800; }
    int pageHeight() const override { return 6300; }
    void beginDocument() override {}
    void newPage() override {}
    void endDocument() override {}
    void abortDocument() override {}
    void setFont(const CanvasFont&) override {}
    void drawText(int, int, std::string_view) override {}
};

class NullSpooler : public pcl::RawSpooler {
public:
    void openPrinter(const std::string&) override {}
    void startRawDocument(const std::string&) override {}
    void startPage() override {}
    void write(std::string_view bytes) override { benchmark::DoNotOptimize(bytes.data()); }
    void endPage() noexcept override {}
    void endDocument() override {}
    void cancelDocument() noexcept override {}
    void closePrinter() noexcept override {}
};

class FixedClock : public JobClock {
public:
    JobMoment now() const override { return {'3', "14:22:05"}; }
};

/// PRINT with every report of the heavy day ticked, in PCL Landscape 6pt: the print file
/// stamped and written, composed into PCL, and spooled.
void BM_PrintEveryReport(benchmark::State& state) {
    const HeavyInstallation& heavy = installation();
    DaySession session(heavy.setup());
    if (DayStart start = session.open(); start.status == DayStart::Status::Stopped)
        state.SkipWithError(start.message.c_str());
    session.tickAll(true);
    session.chooseMode(7);
    state.counters["reports"] = static_cast<double>(session.tickedJob().reportFiles.size());
    NullCanvas canvas;
    NullSpooler spooler;
    FixedClock clock;
    for (auto _ : state) {
        PrintJobOutcome outcome = session.print(session.tickedJob(), canvas, spooler, clock);
        if (outcome.status != PrintJobOutcome::Status::Printed)
            state.SkipWithError(outcome.message.c_str());
    }
    if (session.close())
        state.SkipWithError("the day's report files were gone at the close");
}
BENCHMARK(BM_PrintEveryReport)->Unit(benchmark::kMillisecond)->UseRealTime();

/// Archive > Load of an archive of the whole heavy day: the day joined back, the archive in its
/// place, cut into report files and listed again.
void BM_ArchiveLoad(benchmark::State& state) {
    const HeavyInstallation& heavy = installation();
    DaySession session(heavy.setup());
    if (DayStart start = session.open(); start.status == DayStart::Status::Stopped)
        state.SkipWithError(start.message.c_str());
    session.tickAll(true);
    session.saveArchive("HEAVY.TXT");
    for (auto _ : state) {
        ArchiveLoad loaded = session.loadArchive("HEAVY.TXT");
        if (loaded.status != ArchiveLoad::Status::Loaded)
            state.SkipWithError(loaded.message.c_str());
    }
    if (session.close())
        state.SkipWithError("the day's report files were gone at the close");
}
BENCHMARK(BM_ArchiveLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
