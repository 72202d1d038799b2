// Choosing the engine by print mode.
#include "core/day/print_output.h"

#include "core/common/file_io.h"
#include "core/print/canvas/canvas_composer.h"
#include "core/print/pcl/pcl_composer.h"
#include "core/print/pcl/raw_spooler.h"

namespace analysis {

void PrinterOutput::composed(const std::filesystem::path& pclFile) {
    pcl::SpoolRawFile(spooler_, printerName_, pclFile);
}

std::optional<PrinterState> PrinterOutput::printerState() const {
    if (!readState_ || printerName_.empty())
        return std::nullopt;
    return readState_(printerName_);
}

void CanvasOutput::composed(const std::filesystem::path& pclFile) {
    throw AnalysisError("The PCL stream " + pclFile.string() +
                        " cannot be drawn on a canvas: choose a WIN print mode");
}

std::optional<bool> printInMode(const PrintSettings& settings,
                                const std::filesystem::path& printFile,
                                const std::filesystem::path& pclFile, OutputTarget& target) {
    const char letter = LayoutLetter(settings.fontMode);
    if (!isPclMode(settings.fontMode)) {
        std::optional<bool> pageIsLong;
        target.drawn([&](PrinterCanvas& canvas) {
            pageIsLong = PrintFileOnCanvas(canvas, printFile, letter).pageIsLong;
        });
        return pageIsLong;
    }
    OutputFile pcl(pclFile);
    pcl::PrintPclJob(printFile, letter, settings.legal, settings.duplex, pcl);
    pcl.commit();
    target.composed(pclFile);
    return std::nullopt;
}

SchedulePrintResult printScheduleOn(OutputTarget& target, std::span<const std::string> lines,
                                    const ScheduleLayoutOptions& layout, std::string_view title) {
    SchedulePrintResult result;
    if (lines.empty())
        return result;
    target.drawn([&](PrinterCanvas& canvas) {
        result = printScheduleDocument(canvas, lines, layout, title);
    });
    return result;
}

} // namespace analysis
