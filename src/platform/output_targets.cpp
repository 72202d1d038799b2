// A PDF file and a preview as places a print goes.
#include "platform/output_targets.h"

#include "core/common/file_io.h"
#include "core/print/pcl/pcl_pages.h"
#include "platform/pcl_pdf.h"
#include "platform/pdf_output.h"

namespace analysis {

PdfOutput::PdfOutput(std::filesystem::path pdf, const QPageLayout& sheet)
    : pdf_(std::move(pdf)), sheet_(sheet) {}

void PdfOutput::drawn(const std::function<void(PrinterCanvas&)>& draw) {
    if (sheet_)
        printToPdf(*sheet_, pdf_, draw);
    else
        printToPdf(width_, height_, pdf_, draw);
}

void PdfOutput::composed(const std::filesystem::path& pclFile) {
    printPclPagesToPdf(pcl::readPclPages(readFile(pclFile)), pdf_);
}

void PreviewOutput::drawn(const std::function<void(PrinterCanvas&)>& draw) {
    pages_ = canvasPreviewPages(printer_, draw);
}

void PreviewOutput::composed(const std::filesystem::path& pclFile) {
    pages_ = pclPreviewPages(pcl::readPclPages(readFile(pclFile)));
}

} // namespace analysis
