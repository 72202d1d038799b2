// Speed of unscrambling the day's data: in memory, and file to file beside a plain copy.
#include "core/common/file_io.h"
#include "core/document/decoder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace analysis;
namespace fs = std::filesystem;

constexpr std::size_t DataSize = std::size_t{64} << 20;
constexpr std::size_t ChunkSize = 256 * DataRecordSize; // what the decoder reads at a time

/// Text-like bytes with a stamp marker now and then, as a delivered analysis has.
std::vector<unsigned char> sampleBlocks(std::size_t size) {
    std::vector<unsigned char> bytes(size);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> printable(32, 126);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>(printable(random));
    for (std::size_t i = 1000; i < size; i += 2500)
        bytes[i] = 0xEF; // decodes to the marker
    return bytes;
}

void BM_UnscrambleInMemory(benchmark::State& state) {
    std::vector<unsigned char> data = sampleBlocks(DataSize);
    for (auto _ : state) {
        Unscrambler unscrambler("0042");
        for (std::size_t at = 0; at < data.size(); at += DataRecordSize)
            unscrambler.decodeBlock({data.data() + at, DataRecordSize});
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * DataSize));
}
BENCHMARK(BM_UnscrambleInMemory)->Unit(benchmark::kMillisecond);

/// A 64 MB data file in the temporary folder, made once for the file benchmarks.
const fs::path& dataFile() {
    static const fs::path path = [] {
        fs::path file = fs::temp_directory_path() / "analysis-decode-bench.DAT";
        std::vector<unsigned char> bytes = sampleBlocks(DataSize + DataRecordSize);
        const auto records = static_cast<std::uint16_t>(DataSize / DataRecordSize);
        bytes[0] = static_cast<unsigned char>(records & 0xFF);
        bytes[1] = static_cast<unsigned char>(records >> 8);
        writeFileAtomically(file, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
        return file;
    }();
    return path;
}

fs::path outputFile() {
    return fs::temp_directory_path() / "analysis-decode-bench.TXT";
}

void BM_DecodeDailyDataFile(benchmark::State& state) {
    const fs::path& data = dataFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeDailyData(data, outputFile(), "0042"));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * DataSize));
    fs::remove(outputFile());
}
BENCHMARK(BM_DecodeDailyDataFile)->Unit(benchmark::kMillisecond)->UseRealTime();

/// The baseline: the same file read and written with the same chunk size and the same
/// replace-on-commit output, without decoding.
void BM_PlainCopyFile(benchmark::State& state) {
    const fs::path& data = dataFile();
    for (auto _ : state) {
        ChunkReader in(data, ChunkSize);
        OutputFile out(outputFile(), OutputFile::Mode::Replace);
        for (std::string_view chunk = in.next(); !chunk.empty(); chunk = in.next())
            out.write(chunk);
        out.commit();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * DataSize));
    fs::remove(outputFile());
}
BENCHMARK(BM_PlainCopyFile)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
