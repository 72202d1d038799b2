// PCL composition throughput on a large print file, its peak memory, and enscript on the same
// file for comparison.
#include "core/common/file_io.h"
#include "core/print/pcl/pcl_composer.h"

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

/// One track's reports: boxed race headers, value lines with box-drawing bars, blank lines
/// between races and a form feed after each report, as a day's print file holds them.
std::string trackReports(int track) {
    std::string text;
    for (char kind : {'A', 'X', 'E', 'B'}) {
        text += '@';
        text += kind;
        text += "1Tr";
        text += std::to_string(track % 100);
        text += "  Wed 3 14:05:09 0042\r\n\r\n";
        for (int race = 1; race <= 9; ++race) {
            text += '\xc9';
            text.append(60, '\xcd');
            text += "\xbb\r\n\xba Race ";
            text += std::to_string(race);
            text += "   6 Furlongs  Dirt  Allowance  Purse $42,000              \xba\r\n\xc8";
            text.append(60, '\xcd');
            text += "\xbc\r\n";
            for (int horse = 1; horse <= 8 + (race + track) % 5; ++horse) {
                text += ' ';
                text += std::to_string(horse);
                text += "  Horse Number ";
                text += std::to_string(horse);
                text += "   82.4 \xb3 77  71  69  64 \xb3 5/2  \xab  J.Smith   118 lb\r\n";
            }
            text += "\r\n";
        }
        text += '\x0c';
    }
    return text;
}

/// A print file of at least megabytes MB, written once per process in a temporary folder.
const fs::path& printFile(int megabytes) {
    static std::map<int, fs::path> files;
    auto found = files.find(megabytes);
    if (found != files.end())
        return found->second;
    fs::path path = fs::temp_directory_path() / ("pcl-bench-" + std::to_string(::getpid()) + "-" +
                                                 std::to_string(megabytes) + ".prn");
    OutputFile out(path);
    std::size_t wanted = static_cast<std::size_t>(megabytes) << 20;
    for (std::size_t written = 0, track = 0; written < wanted; ++track) {
        std::string reports = trackReports(static_cast<int>(track));
        out.write(reports);
        written += reports.size();
    }
    out.commit();
    return files.emplace(megabytes, path).first->second;
}

double maxResidentMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

/// Arguments: print file size in MB, layout letter.
void BM_PclCompose(benchmark::State& state) {
    const fs::path& prn = printFile(static_cast<int>(state.range(0)));
    char letter = static_cast<char>(state.range(1));
    fs::path pcl = prn;
    pcl.replace_extension(".pcl");
    double before = maxResidentMegabytes();
    for (auto _ : state) {
        OutputFile out(pcl);
        analysis::pcl::PrintPclJob(prn, letter, false, false, out);
        out.commit();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(prn)));
    // Peak memory of the whole process and how much composing added to it: the latter stays
    // the same for a 5 MB and a 20 MB file when the engine's memory does not grow with it.
    state.counters["max_rss_MB"] = maxResidentMegabytes();
    state.counters["rss_growth_MB"] = maxResidentMegabytes() - before;
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
