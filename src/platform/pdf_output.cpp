// Printing a print file with the canvas engine into a PDF file.
#include "platform/pdf_output.h"

#include "core/common/io_error.h"
#include "platform/qt_canvas.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>

#include <cerrno>
#include <optional>
#include <string>
#include <system_error>
#include <unistd.h>

namespace analysis {

namespace {

/// A fresh, empty file beside target that will become target; removed unless kept.
class TempBeside {
public:
    explicit TempBeside(const std::filesystem::path& target) : target_(target) {
        std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
        std::string name(1, '.');
        name += target.filename().string();
        name += ".XXXXXX";
        std::string pattern = (folder / name).string();
        int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            throw IoError::fromErrno(errno, target);
        ::close(fd);
        path_ = pattern;
    }
    ~TempBeside() {
        if (!kept_) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    TempBeside(const TempBeside&) = delete;
    TempBeside& operator=(const TempBeside&) = delete;

    const std::filesystem::path& path() const { return path_; }

    void keep() {
        std::error_code error;
        std::filesystem::rename(path_, target_, error);
        if (error)
            throw IoError::fromErrno(error.value(), target_);
        kept_ = true;
    }

private:
    std::filesystem::path target_;
    std::filesystem::path path_;
    bool kept_ = false;
};

} // namespace

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
    TempBeside temp(pdf);
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfPrinter(printer, temp.path(), width, height);
    QtPrinterCanvas canvas(printer);
    print(canvas);
    temp.keep();
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
