// The pages of a PCL stream as a PDF.
#include "platform/pcl_pdf.h"

#include "core/common/io_error.h"
#include "platform/pdf_output.h"

namespace analysis {

namespace {
constexpr int DecipointsPerInch = 720;

int decipointsToPixels(int decipoints) {
    return decipoints * PdfResolution / DecipointsPerInch;
}

pcl::PclPage portraitOf(const pcl::PclPage& page) {
    pcl::PclPage portrait;
    portrait.legal = page.legal;
    return portrait;
}

/// The sheet of the first page in device pixels at PdfResolution, in portrait: Letter
/// 5100 x 6600, Legal 5100 x 8400.
int pclSheetPixelWidth(const pcl::PclPage& page) {
    return decipointsToPixels(pcl::sheetWidth(portraitOf(page)));
}

int pclSheetPixelHeight(const pcl::PclPage& page) {
    return decipointsToPixels(pcl::sheetHeight(portraitOf(page)));
}

} // namespace

void printPclPagesToPdf(std::span<const pcl::PclPage> pages, const std::filesystem::path& pdf) {
    if (pages.empty())
        throw AnalysisError("The PCL stream prints no page, so no PDF was written: " +
                            pdf.string());
    printToPdf(pclSheetPixelWidth(pages.front()), pclSheetPixelHeight(pages.front()), pdf,
               [&](PrinterCanvas& canvas) { pcl::drawPclPages(canvas, pages); });
}

} // namespace analysis
