// The pages of a PCL stream as a PDF.
#include "platform/pcl_pdf.h"

#include "core/common/io_error.h"
#include "platform/pdf_output.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

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
} // namespace

int pclSheetPixelWidth(const pcl::PclPage& page) {
    return decipointsToPixels(pcl::sheetWidth(portraitOf(page)));
}

int pclSheetPixelHeight(const pcl::PclPage& page) {
    return decipointsToPixels(pcl::sheetHeight(portraitOf(page)));
}

void setUpPclSheet(QPrinter& printer, const pcl::PclPage& page) {
    printer.setResolution(PdfResolution);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(page.legal ? QPageSize::Legal : QPageSize::Letter),
                                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

void printPclPagesToPdf(std::span<const pcl::PclPage> pages, const std::filesystem::path& pdf) {
    if (pages.empty())
        throw AnalysisError("The PCL stream prints no page, so no PDF was written: " +
                            pdf.string());
    printToPdf(pclSheetPixelWidth(pages.front()), pclSheetPixelHeight(pages.front()), pdf,
               [&](PrinterCanvas& canvas) { pcl::DrawPclPages(canvas, pages); });
}

} // namespace analysis
