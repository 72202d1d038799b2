// Print preview preparation: the pages of a typical day (30 reports) and of the heavy day
// (about 1000 reports) drawn into Qt's print preview, by the canvas engine and from the composed
// PCL stream, as the window's "Print Preview" does; and the PCL stream read back on its own.
#include "core/print/canvas/canvas_composer.h"
#include "core/print/pcl/pcl_pages.h"
#include "demo/demo_day.h"
#include "platform/pcl_pdf.h"
#include "platform/qt_canvas.h"

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

enum Day { Typical, Heavy };

/// One track of fourteen races: an A and an X report and an E and a B per race, 30 in all.
analysis::demo::DayShape typicalDay() {
    analysis::demo::DayShape day = analysis::demo::DemoDay();
    day.tracks.resize(1);
    day.fewestRaces = day.mostRaces = 14;
    return day;
}

const std::filesystem::path& dayFile(Day day) {
    static const std::filesystem::path files[] = {
        [] {
            auto path = std::filesystem::temp_directory_path() / "analysis-preview-typical.PRN";
            std::ofstream(path, std::ios::binary) << analysis::demo::makeAnalysisText(typicalDay());
            return path;
        }(),
        [] {
            auto path = std::filesystem::temp_directory_path() / "analysis-preview-heavy.PRN";
            std::ofstream(path, std::ios::binary)
                << analysis::demo::makeAnalysisText(analysis::demo::HeavyDay());
            return path;
        }(),
    };
    return files[day];
}

/// Preview of the day in a WIN mode: the canvas engine on the preview's printer.
void BM_PreviewCanvas(benchmark::State& state) {
    const auto day = static_cast<Day>(state.range(0));
    const char letter = static_cast<char>(state.range(1));
    QPrinter printer(QPrinter::HighResolution);
    int pages = 0;
    for (auto _ : state) {
        QPrintPreviewWidget preview(&printer);
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* target) {
            analysis::QtPrinterCanvas canvas(*target, true);
            analysis::PrintFileOnCanvas(canvas, dayFile(day), letter);
        });
        preview.updatePreview();
        pages = preview.pageCount();
    }
    state.counters["pages"] = pages;
}

/// Preview of the day in a PCL mode: compose, read the stream back, draw its pages.
void BM_PreviewPcl(benchmark::State& state) {
    const auto day = static_cast<Day>(state.range(0));
    const char letter = static_cast<char>(state.range(1));
    int pages = 0;
    for (auto _ : state) {
        std::vector<analysis::pcl::PclPage> pclPages =
            analysis::pcl::ComposedPclPages(dayFile(day), letter, false, false);
        QPrinter printer(QPrinter::HighResolution);
        analysis::setUpPclSheet(printer, pclPages.front());
        QPrintPreviewWidget preview(&printer);
        QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* target) {
            analysis::QtPrinterCanvas canvas(*target, true);
            analysis::pcl::DrawPclPages(canvas, pclPages);
        });
        preview.updatePreview();
        pages = preview.pageCount();
    }
    state.counters["pages"] = pages;
}

/// The PCL half alone: compose and read back, without drawing.
void BM_ComposedPclPages(benchmark::State& state) {
    const auto day = static_cast<Day>(state.range(0));
    std::size_t pages = 0;
    for (auto _ : state)
        pages = analysis::pcl::ComposedPclPages(dayFile(day), 'G', false, false).size();
    state.counters["pages"] = static_cast<double>(pages);
}

BENCHMARK(BM_PreviewCanvas)
    ->Args({Typical, 'J'})
    ->Args({Typical, 'G'})
    ->Args({Heavy, 'J'})
    ->Args({Heavy, 'G'})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_PreviewPcl)
    ->Args({Typical, 'J'})
    ->Args({Typical, 'G'})
    ->Args({Heavy, 'J'})
    ->Args({Heavy, 'G'})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_ComposedPclPages)
    ->Arg(Typical)
    ->Arg(Heavy)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (Day day : {Typical, Heavy})
        std::filesystem::remove(dayFile(day));
    return 0;
}
