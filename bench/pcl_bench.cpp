// PCL composition throughput and peak memory on the heavy demonstration day, beside enscript.
#include "core/common/file_io.h"
#include "core/print/pcl/pcl_composer.h"
#include "demo/demo_day.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using analysis::OutputFile;

/// The heavy demonstration day (about 20 MB) or, for a smaller size, its first tracks, written
/// once per process in a temporary folder.
const fs::path& printFile(int megabytes) {
    static std::map<int, fs::path> files;
    auto found = files.find(megabytes);
    if (found != files.end())
        return found->second;
    fs::path path = fs::temp_directory_path() / ("pcl-bench-" + std::to_string(::getpid()) + "-" +
                                                 std::to_string(megabytes) + ".prn");
    analysis::demo::DayShape shape = analysis::demo::heavyDay();
    if (megabytes < 20)
        shape.tracks.resize(shape.tracks.size() * static_cast<std::size_t>(megabytes) / 20);
    analysis::writeFileAtomically(path, analysis::demo::makeAnalysisText(shape));
    return files.emplace(megabytes, path).first->second;
}

/// Peak resident memory of one composition run alone, in MB: it runs in a child process,
/// whose peak starts from this process's current size rather than from its own peak (which
/// holds the generated day).
double composeMaxResidentMegabytes(const fs::path& prn, const fs::path& pcl, char letter) {
    pid_t pid = ::fork();
    if (pid == 0) {
        OutputFile out(pcl);
        analysis::pcl::PrintPclJob(prn, letter, false, false, out);
        out.commit();
        ::_exit(0);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid)
        return -1;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

/// Arguments: print file size in MB, layout letter.
void BM_PclCompose(benchmark::State& state) {
    const fs::path& prn = printFile(static_cast<int>(state.range(0)));
    char letter = static_cast<char>(state.range(1));
    fs::path pcl = prn;
    pcl.replace_extension(".pcl");
    for (auto _ : state) {
        OutputFile out(pcl);
        analysis::pcl::PrintPclJob(prn, letter, false, false, out);
        out.commit();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(prn)));
    // The same for a 5 MB and a 20 MB file when the engine's memory does not grow with it.
    state.counters["max_rss_MB"] = composeMaxResidentMegabytes(prn, pcl, letter);
    fs::remove(pcl);
}
BENCHMARK(BM_PclCompose)
    ->Args({5, 'H'})
    ->Args({20, 'H'})
    ->Args({20, 'J'})
    ->Args({20, 'G'})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

/// enscript -2r on the same file: the everyday tool that turns text into printer language.
void BM_Enscript(benchmark::State& state) {
    const fs::path& prn = printFile(static_cast<int>(state.range(0)));
    fs::path ps = prn;
    ps.replace_extension(".ps");
    std::string output = ps.string();
    std::string input = prn.string();
    char* argv[] = {const_cast<char*>("enscript"),
                    const_cast<char*>("-q"),
                    const_cast<char*>("-2r"),
                    const_cast<char*>("-o"),
                    output.data(),
                    input.data(),
                    nullptr};
    for (auto _ : state) {
        pid_t pid = -1;
        if (posix_spawnp(&pid, "enscript", nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("enscript is not installed");
            break;
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(prn)));
    fs::remove(ps);
}
BENCHMARK(BM_Enscript)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (int megabytes : {5, 20})
        fs::remove(fs::temp_directory_path() / ("pcl-bench-" + std::to_string(::getpid()) + "-" +
                                                std::to_string(megabytes) + ".prn"));
    return 0;
}
