// Telling the user how far a print job has got, while it runs on the window's own thread.
#pragma once

#include "core/print/canvas/printer_canvas.h"
#include "core/print/pcl/raw_spooler.h"

#include <QString>

#include <functional>

namespace analysis {

/// Reports a line of progress ("Printing page 12") and lets the window repaint, without
/// taking user input, so the job's steps keep their order.
using ProgressReport = std::function<void(const QString&)>;

/// A canvas that passes every call on and reports each page it starts.
class ProgressCanvas : public PrinterCanvas {
public:
    /// pages is how many the print has, when known (0 when not): progress then reads "page n
    /// of N".
    ProgressCanvas(PrinterCanvas& canvas, ProgressReport report, int pages = 0)
        : canvas_(canvas), report_(std::move(report)), pages_(pages) {}

    void setOrientation(Orientation orientation) override { canvas_.setOrientation(orientation); }
    int pageWidth() const override { return canvas_.pageWidth(); }
    int pageHeight() const override { return canvas_.pageHeight(); }
    void beginDocument() override;
    void newPage() override;
    void endDocument() override { canvas_.endDocument(); }
    void abortDocument() override { canvas_.abortDocument(); }
    void abandonDocument() noexcept override { canvas_.abandonDocument(); }
    void setFont(const CanvasFont& font) override { canvas_.setFont(font); }
    void drawText(int x, int y, std::string_view text) override { canvas_.drawText(x, y, text); }

private:
    PrinterCanvas& canvas_;
    void reportPage();

    ProgressReport report_;
    int pages_ = 0;
    int page_ = 0;
};

/// A raw spooler that passes every call on and reports how much has been sent.
class ProgressSpooler : public pcl::RawSpooler {
public:
    ProgressSpooler(pcl::RawSpooler& spooler, ProgressReport report)
        : spooler_(spooler), report_(std::move(report)) {}

    void openPrinter(const std::string& name) override { spooler_.openPrinter(name); }
    void startRawDocument(const std::string& name) override { spooler_.startRawDocument(name); }
    void startPage() override { spooler_.startPage(); }
    void write(std::string_view bytes) override;
    void endPage() noexcept override { spooler_.endPage(); }
    void endDocument() override { spooler_.endDocument(); }
    void cancelDocument() noexcept override { spooler_.cancelDocument(); }
    void closePrinter() noexcept override { spooler_.closePrinter(); }

private:
    pcl::RawSpooler& spooler_;
    ProgressReport report_;
    std::size_t sent_ = 0;
};

} // namespace analysis
