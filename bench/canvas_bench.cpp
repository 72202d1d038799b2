// Canvas printing speed: a heavy race day drawn into PDF, beside paps laying out the same
// print file, and the planning half of the engine (reading, grouping, balancing) on its own.
#include "core/print/canvas/canvas_composer.h"
#include "demo/demo_day.h"
#include "platform/pdf_output.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using analysis::CanvasFont;
using analysis::Orientation;
using analysis::PrinterCanvas;

/// The heavy benchmark day's analysis text as a print file, written once into the temporary
/// folder.
const std::filesystem::path& heavyDayFile() {
    static const std::filesystem::path file = [] {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / "analysis-canvas-bench.PRN";
        std::ofstream(path, std::ios::binary)
            << analysis::demo::makeAnalysisText(analysis::demo::heavyDay());
        return path;
    }();
    return file;
}

/// A printer that draws nothing, so only the engine's own work is measured.
class NullCanvas : public PrinterCanvas {
public:
    void setOrientation(Orientation orientation) override { orientation_ = orientation; }
    int pageWidth() const override { return orientation_ == Orientation::Portrait ? 4800 : 6400; }
    int pageHeight() const override { return orientation_ == Orientation::Portrait ? 6400 : 4800; }
    void beginDocument() override {}
    void newPage() override { ++pages_; }
    void endDocument() override {}
    void abortDocument() override {}
    void setFont(const CanvasFont&) override {}
    void drawText(int x, int y, std::string_view text) override {
        benchmark::DoNotOptimize(x + y);
        benchmark::DoNotOptimize(text.data());
    }
    int pages() const { return pages_ + 1; }

private:
    Orientation orientation_ = Orientation::Portrait;
    int pages_ = 0;
};

int plannedPages(char letter) {
    NullCanvas canvas;
    analysis::PrintFileOnCanvas(canvas, heavyDayFile(), letter);
    return canvas.pages();
}

void BM_CanvasToPdf(benchmark::State& state) {
    const char letter = static_cast<char>(state.range(0));
    const std::filesystem::path pdf =
        std::filesystem::temp_directory_path() / "analysis-canvas-bench.pdf";
    for (auto _ : state)
        analysis::printFileToPdf(heavyDayFile(), letter, 4800, 6400, pdf);
    state.counters["pages"] = plannedPages(letter);
    state.counters["pages_per_s"] =
        benchmark::Counter(plannedPages(letter), benchmark::Counter::kIsIterationInvariantRate);
    std::filesystem::remove(pdf);
}
BENCHMARK(BM_CanvasToPdf)->Arg('J')->Arg('G')->Unit(benchmark::kMillisecond)->UseRealTime();

/// paps lays the same print file out (code page 437, form feeds as page breaks) on letter paper
/// in the layout closest to the canvas layout of the letter: portrait 9 pt for J, two landscape
/// columns of 7 pt for G. The Debian build of paps writes PostScript.
void BM_Paps(benchmark::State& state) {
    const bool landscape = state.range(0) == 'G';
    const std::filesystem::path output =
        std::filesystem::temp_directory_path() / "analysis-canvas-bench.ps";
    const std::string layout = landscape ? "--landscape --columns=2 --font='Courier New Bold 7'"
                                         : "--font='Courier New Bold 9'";
    const std::string command = "paps --encoding=CP437 --paper=letter " + layout + " '" +
                                heavyDayFile().string() + "' > '" + output.string() +
                                "' 2>/dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("paps failed or is not installed");
            return;
        }
    }
    std::ifstream in(output);
    int pages = 0;
    for (std::string line; std::getline(in, line);)
        pages += line.starts_with("%%Page:") ? 1 : 0;
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] =
        benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
    std::filesystem::remove(output);
}
BENCHMARK(BM_Paps)->Arg('J')->Arg('G')->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CanvasPlanning(benchmark::State& state) {
    const char letter = static_cast<char>(state.range(0));
    const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(heavyDayFile()));
    for (auto _ : state) {
        NullCanvas canvas;
        analysis::PrintFileOnCanvas(canvas, heavyDayFile(), letter);
    }
    state.SetBytesProcessed(bytes * state.iterations());
}
BENCHMARK(BM_CanvasPlanning)->Arg('J')->Arg('G')->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(heavyDayFile());
    return 0;
}
