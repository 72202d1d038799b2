// Printing a print file in a print mode, onto one target: the canvas engine for the WIN modes,
// the PCL engine for the PCL modes. This is the one place the engine is chosen; a target is the
// printer, a PDF file, or the pages of a preview, and takes each engine's result its own way.
#pragma once

#include "core/print/print_modes.h"
#include "core/print/printer_state.h"
#include "core/schedule/schedule_print.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace analysis {

class PrinterCanvas;
namespace pcl {
class RawSpooler;
}

/// Where a print goes.
class OutputTarget {
public:
    virtual ~OutputTarget() = default;

    /// Runs draw, which makes one document, on the target's canvas: the printer's, a PDF's, or
    /// one that records the pages for a preview.
    virtual void drawn(const std::function<void(PrinterCanvas&)>& draw) = 0;
    /// Takes the PCL engine's complete stream in pclFile: spooled raw to the printer, or read
    /// back as the pages a PCL printer prints.
    virtual void composed(const std::filesystem::path& pclFile) = 0;
    /// The printer this target prints on; empty for a file or a preview.
    virtual std::string printerName() const { return {}; }
    /// What the print server says of that printer now; nothing for a file or a preview, or when
    /// the server cannot tell.
    virtual std::optional<PrinterState> printerState() const { return std::nullopt; }
};

/// The printer as both engines reach it: the canvas it draws on, the spooler that sends raw
/// bytes to printerName, and what the print server says of it (when a reader is given).
class PrinterOutput : public OutputTarget {
public:
    PrinterOutput(PrinterCanvas& canvas, pcl::RawSpooler& spooler, std::string printerName,
                  PrinterStateReader readState = {})
        : canvas_(canvas), spooler_(spooler), printerName_(std::move(printerName)),
          readState_(std::move(readState)) {}

    void drawn(const std::function<void(PrinterCanvas&)>& draw) override { draw(canvas_); }
    /// Raises SpoolError when the spooler refused the stream.
    void composed(const std::filesystem::path& pclFile) override;
    std::string printerName() const override { return printerName_; }
    std::optional<PrinterState> printerState() const override;

private:
    PrinterCanvas& canvas_;
    pcl::RawSpooler& spooler_;
    std::string printerName_;
    PrinterStateReader readState_;
};

/// A canvas alone, for what only draws: a trace of the draw calls, or a test's recording. A PCL
/// stream has no place on it (AnalysisError).
class CanvasOutput : public OutputTarget {
public:
    explicit CanvasOutput(PrinterCanvas& canvas) : canvas_(canvas) {}

    void drawn(const std::function<void(PrinterCanvas&)>& draw) override { draw(canvas_); }
    void composed(const std::filesystem::path& pclFile) override;

private:
    PrinterCanvas& canvas_;
};

/// Prints printFile onto target: modes 0 to 3 draw it with the canvas engine; modes 4 to 7
/// compose it into pclFile and hand that to the target. Returns the canvas engine's page-shape
/// test (the legal paper flag it leaves behind) when the canvas printed a report; nothing
/// otherwise. Raises IoError, PrinterError or SpoolError when the print did not reach the
/// target.
std::optional<bool> printInMode(const PrintSettings& settings,
                                const std::filesystem::path& printFile,
                                const std::filesystem::path& pclFile, OutputTarget& target);

/// Prints the schedule lines onto target's canvas in layout, each page headed by title (see
/// printScheduleDocument). No lines: the target is not touched.
SchedulePrintResult printScheduleOn(OutputTarget& target, std::span<const std::string> lines,
                                    const ScheduleLayoutOptions& layout, std::string_view title);

} // namespace analysis
