// Print preview: how long a user waits for the first page of a typical day (30 reports) and of
// the heavy day (about 1000 reports) in a canvas and a PCL mode, from the ticked reports'
// print file to the first page drawn in the preview window, and from the heavy day's report
// files (the whole click); and how long each further page takes to draw as it scrolls into view.
#include "core/common/temporary_files.h"
#include "core/print/pcl/pcl_pages.h"
#include "core/print/print_file.h"
#include "demo/demo_day.h"
#include "gui/preview_page_view.h"
#include "gui/print_preview_window.h"
#include "platform/preview_pages.h"

#include <QApplication>
#include <QPrinter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

enum Day { Typical, Heavy };
enum Engine { Canvas, Pcl };

/// One track of fourteen races: an A and an X report and an E and a B per race, 30 in all.
analysis::demo::DayShape typicalDay() {
    analysis::demo::DayShape day = analysis::demo::demoDay();
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
                << analysis::demo::makeAnalysisText(analysis::demo::heavyDay());
            return path;
        }(),
    };
    return files[day];
}

/// The pages of printFile as the window's preview makes them in the engine's mode.
std::unique_ptr<analysis::PreviewPages> previewPages(Engine engine,
                                                     const std::filesystem::path& printFile,
                                                     char letter, QPrinter& printer) {
    if (engine == Pcl)
        return analysis::pclPreviewPages(
            analysis::pcl::composedPclPages(printFile, letter, false, false));
    return analysis::canvasPreviewPages(printer, printFile, letter);
}

/// From the print file to the first page on screen, as the window's Print Preview does it.
void BM_PreviewFirstPage(benchmark::State& state) {
    const auto engine = static_cast<Engine>(state.range(0));
    const auto day = static_cast<Day>(state.range(1));
    const char letter = static_cast<char>(state.range(2));
    QPrinter printer(QPrinter::HighResolution);
    // The day's file is made before the clock runs.
    dayFile(day);
    int pages = 0;
    for (auto _ : state) {
        analysis::PrintPreviewWindow window(previewPages(engine, dayFile(day), letter, printer),
                                            "bench");
        window.show();
        while (window.view().pagesDrawn() == 0)
            QApplication::processEvents();
        pages = window.pages().count();
    }
    state.counters["pages"] = pages;
}

/// The heavy day's reports, each in a file of its own as the day's split leaves them.
const std::vector<std::filesystem::path>& heavyReportFiles() {
    static analysis::TemporaryFolder folder("analysis-preview-reports");
    static const std::vector<std::filesystem::path> files = [] {
        std::vector<std::filesystem::path> written;
        const std::string text = analysis::demo::makeAnalysisText(analysis::demo::heavyDay());
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = std::min(text.find('\f', start + 1), text.size());
            written.push_back(folder / ("R" + std::to_string(written.size()) + ".TXT"));
            std::ofstream(written.back(), std::ios::binary) << text.substr(start, end - start);
            start = end;
        }
        return written;
    }();
    return files;
}

/// The whole click on a heavy day with every report ticked: the print file written from the
/// report files, the pages made, the first page drawn in the window.
void BM_PreviewClickEveryReportTicked(benchmark::State& state) {
    const auto engine = static_cast<Engine>(state.range(0));
    const char letter = static_cast<char>(state.range(1));
    const std::vector<std::filesystem::path>& reports = heavyReportFiles();
    QPrinter printer(QPrinter::HighResolution);
    for (auto _ : state) {
        std::unique_ptr<analysis::PreviewPages> pages;
        {
            analysis::TemporaryFolder folder("analysis-preview");
            analysis::writePrintFile(reports, folder / "Analysis.PRN", nullptr);
            pages = previewPages(engine, folder / "Analysis.PRN", letter, printer);
        }
        analysis::PrintPreviewWindow window(std::move(pages), "bench");
        window.show();
        while (window.view().pagesDrawn() == 0)
            QApplication::processEvents();
    }
    state.counters["reports"] = static_cast<double>(reports.size());
}

/// One more page drawn at the window's fitted width, as scrolling brings it into view.
void BM_PreviewPageDraw(benchmark::State& state) {
    const auto engine = static_cast<Engine>(state.range(0));
    const char letter = static_cast<char>(state.range(1));
    QPrinter printer(QPrinter::HighResolution);
    std::unique_ptr<analysis::PreviewPages> pages =
        previewPages(engine, dayFile(Heavy), letter, printer);
    int page = 0;
    for (auto _ : state) {
        QImage picture = analysis::renderPreviewPage(*pages, page, QSize(850, 1100));
        benchmark::DoNotOptimize(picture.constBits());
        page = (page + 1) % pages->count();
    }
}

BENCHMARK(BM_PreviewFirstPage)
    ->ArgNames({"pcl", "heavy", "letter"})
    ->Args({Canvas, Typical, 'J'})
    ->Args({Canvas, Typical, 'G'})
    ->Args({Pcl, Typical, 'J'})
    ->Args({Pcl, Typical, 'G'})
    ->Args({Canvas, Heavy, 'J'})
    ->Args({Canvas, Heavy, 'G'})
    ->Args({Pcl, Heavy, 'J'})
    ->Args({Pcl, Heavy, 'G'})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PreviewClickEveryReportTicked)
    ->ArgNames({"pcl", "letter"})
    ->Args({Canvas, 'J'})
    ->Args({Pcl, 'G'})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PreviewPageDraw)
    ->ArgNames({"pcl", "letter"})
    ->Args({Canvas, 'J'})
    ->Args({Canvas, 'G'})
    ->Args({Pcl, 'J'})
    ->Args({Pcl, 'G'})
    ->Unit(benchmark::kMillisecond);

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
