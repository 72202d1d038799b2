// Printing a print file with the canvas engine into a PDF file.
#include "platform/pdf_output.h"

#include "core/common/io_error.h"
#include "core/common/temporary_files.h"
#include "platform/qt_canvas.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>

#include <optional>
#include <string>

namespace analysis {

namespace {

/// A sheet of whole points that measures exactly width x height pixels at resolution, if any.
std::optional<QPageSize> exactPageSize(int width, int height, int resolution) {
    QSize points(qRound(width * 72.0 / resolution), qRound(height * 72.0 / resolution));
    QPageSize size(points, QStringLiteral("Printable area"), QPageSize::ExactMatch);
    if (size.sizePixels(resolution) != QSize(width, height))
        return std::nullopt;
    return size;
}

} // namespace

int setUpPdfPrinter(QPrinter& printer, const std::filesystem::path& file, int width, int height) {
    // Page sizes are whole points, so not every pixel size exists at every resolution: take the
    // resolution nearest the preferred one that gives the size exactly. At 72 pixels per inch a
    // pixel is a point, so the search always ends.
    int resolution = PdfResolution;
    std::optional<QPageSize> size = exactPageSize(width, height, resolution);
    for (int step = 1; !size && step < PdfResolution - 72; ++step) {
        for (int candidate : {PdfResolution - step, PdfResolution + step}) {
            if (!size && (size = exactPageSize(width, height, candidate)))
                resolution = candidate;
        }
    }
    if (!size) {
        resolution = 72;
        size = exactPageSize(width, height, resolution);
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file.string()));
    printer.setResolution(resolution);
    printer.setPageLayout(
        QPageLayout(*size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    return resolution;
}

void printToPdf(int width, int height, const std::filesystem::path& pdf,
                const std::function<void(PrinterCanvas&)>& print) {
    FileBeside temp(pdf);
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfPrinter(printer, temp.path(), width, height);
    QtPrinterCanvas canvas(printer);
    print(canvas);
    temp.replaceTarget();
}

CanvasPrintResult printFileToPdf(const std::filesystem::path& printFile, char letter, int width,
                                 int height, const std::filesystem::path& pdf) {
    if (!isLayoutLetter(letter))
        throw AnalysisError(std::string("No canvas layout for letter ") + letter);
    CanvasPrintResult result;
    printToPdf(width, height, pdf, [&](PrinterCanvas& canvas) {
        result = PrintFileOnCanvas(canvas, printFile, letter);
    });
    return result;
}

} // namespace analysis
