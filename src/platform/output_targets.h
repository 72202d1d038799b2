// The places a print can go besides the printer: a PDF file, and the pages of a preview.
#pragma once

#include "core/day/print_output.h"
#include "platform/preview_pages.h"

#include <QPageLayout>

#include <filesystem>
#include <memory>
#include <optional>

class QPrinter;

namespace analysis {

/// A PDF file. The canvas engine draws on pages whose printable area is width x height device
/// pixels in portrait (landscape swaps them); a PCL stream's pages go each on its whole sheet.
/// The PDF is written beside its target and takes its place only once complete. Needs a
/// QGuiApplication for fonts.
class PdfOutput : public OutputTarget {
public:
    PdfOutput(std::filesystem::path pdf, int width, int height)
        : pdf_(std::move(pdf)), width_(width), height_(height) {}
    /// The canvas engine draws on pages of sheet's paper, the printable area where its margins
    /// leave it: the pages a printer of that layout prints.
    PdfOutput(std::filesystem::path pdf, const QPageLayout& sheet);

    void drawn(const std::function<void(PrinterCanvas&)>& draw) override;
    /// A stream that prints no page raises AnalysisError and writes nothing.
    void composed(const std::filesystem::path& pclFile) override;

private:
    std::filesystem::path pdf_;
    int width_ = 0;
    int height_ = 0;
    std::optional<QPageLayout> sheet_;
};

/// The pages of a preview: made whole once, each drawn again only when it is looked at. The
/// canvas engine lays its pages out on printer, with the printer's page size, margins and
/// resolution, as a print there would.
class PreviewOutput : public OutputTarget {
public:
    explicit PreviewOutput(QPrinter& printer) : printer_(printer) {}

    void drawn(const std::function<void(PrinterCanvas&)>& draw) override;
    void composed(const std::filesystem::path& pclFile) override;

    /// The pages made; empty before anything was printed here.
    std::unique_ptr<PreviewPages> takePages() { return std::move(pages_); }

private:
    QPrinter& printer_;
    std::unique_ptr<PreviewPages> pages_;
};

} // namespace analysis
