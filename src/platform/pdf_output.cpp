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

#include <cctype>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace analysis {

namespace {

/// Up to count bytes of fd from offset; fewer at the end of the file or on a read error.
std::string bytesAt(int fd, off_t offset, std::size_t count) {
    std::string bytes(count, '\0');
    std::size_t got = 0;
    while (got < count) {
        ssize_t n = ::pread(fd, bytes.data() + got, count - got, offset + off_t(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += std::size_t(n);
    }
    bytes.resize(got);
    return bytes;
}

/// True when file holds a whole PDF as Qt writes it: "%PDF-" first, "%%EOF" last, and the
/// cross-reference table exactly where the trailer's startxref says. Qt's PDF writer drops its
/// write errors, so a full disk leaves a file cut short, or with a gap, that it calls done; a
/// gap moves the table away from where startxref points.
bool isWholePdf(const std::filesystem::path& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    bool whole = false;
    if (::fstat(fd, &info) == 0 && bytesAt(fd, 0, 5) == "%PDF-") {
        constexpr off_t TailSize = 64;
        const off_t tailAt = info.st_size > TailSize ? info.st_size - TailSize : 0;
        std::string tail = bytesAt(fd, tailAt, std::size_t(info.st_size - tailAt));
        while (!tail.empty() && (tail.back() == '\n' || tail.back() == '\r'))
            tail.pop_back();
        const std::size_t keyword = tail.rfind("startxref");
        if (tail.ends_with("%%EOF") && keyword != std::string::npos) {
            std::string_view number(tail);
            number.remove_prefix(keyword + 9);
            while (!number.empty() && std::isspace(static_cast<unsigned char>(number.front())))
                number.remove_prefix(1);
            long long offset = -1;
            std::from_chars(number.data(), number.data() + number.size(), offset);
            whole = offset >= 0 && offset < info.st_size && bytesAt(fd, offset, 4) == "xref";
        }
    }
    ::close(fd);
    return whole;
}

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

namespace {

/// Runs print on a canvas drawing into pdf through a printer setUp makes ready for the file it
/// is given, and puts the PDF in place only once it is whole.
void drawIntoPdf(const std::filesystem::path& pdf,
                 const std::function<void(QPrinter&, const std::filesystem::path&)>& setUp,
                 const std::function<void(PrinterCanvas&)>& print) {
    FileBeside temp(pdf);
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, temp.path());
    QtPrinterCanvas canvas(printer);
    try {
        print(canvas);
    } catch (const PrinterError&) {
        // The writer gives up on a page it could not write without saying why: a full disk is
        // the user's to fix, so it is named rather than the printer's failure.
        if (std::optional<IoError> disk = temp.diskError())
            throw *disk;
        throw;
    }
    if (!isWholePdf(temp.path()))
        throw temp.diskError().value_or(IoError::fromErrno(EIO, pdf));
    temp.replaceTarget();
}

} // namespace

void printToPdf(int width, int height, const std::filesystem::path& pdf,
                const std::function<void(PrinterCanvas&)>& print) {
    drawIntoPdf(
        pdf,
        [&](QPrinter& printer, const std::filesystem::path& file) {
            setUpPdfPrinter(printer, file, width, height);
        },
        print);
}

void printToPdf(const QPageLayout& sheet, const std::filesystem::path& pdf,
                const std::function<void(PrinterCanvas&)>& print) {
    drawIntoPdf(
        pdf,
        [&](QPrinter& printer, const std::filesystem::path& file) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(file.string()));
            printer.setResolution(PdfResolution);
            printer.setFullPage(false);
            printer.setPageLayout(sheet);
        },
        print);
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
