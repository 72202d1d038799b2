// The canvas engine's printer on Qt.
#include "platform/qt_canvas.h"

#include <QPageLayout>
#include <QPrinter>
#include <QString>

namespace analysis {

namespace {
QString printerName(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.outputFileName();
    return printer.printerName();
}
} // namespace

QtPrinterCanvas::QtPrinterCanvas(QPrinter& printer)
    : printer_(printer), painter_(std::make_unique<QPainter>()) {}

QtPrinterCanvas::~QtPrinterCanvas() {
    // Met while an error unwinds (out of memory, say): an exception leaving a destructor would
    // end the program instead of reporting that error.
    try {
        abortDocument();
    } catch (...) {
    }
}

bool QtPrinterCanvas::endPainter() {
    try {
        return painter_->end();
    } catch (...) {
        // Ending writes the rest of the document and may run out of memory part-way. The
        // painter is then still active but broken, and ending it again, as its destructor
        // would, crashes inside Qt.
        abandonDocument();
        throw;
    }
}

void QtPrinterCanvas::setOrientation(Orientation orientation) {
    printer_.setPageOrientation(orientation == Orientation::Portrait ? QPageLayout::Portrait
                                                                     : QPageLayout::Landscape);
}

// The painter's origin is the corner of this rectangle: the printable area, or the whole sheet
// when the printer is set to full-page mode.
int QtPrinterCanvas::pageWidth() const {
    return qRound(printer_.pageRect(QPrinter::DevicePixel).width());
}

int QtPrinterCanvas::pageHeight() const {
    return qRound(printer_.pageRect(QPrinter::DevicePixel).height());
}

void QtPrinterCanvas::beginDocument() {
    if (painting())
        throw PrinterError("The printer is already printing a document");
    if (!painter_)
        painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&printer_))
        throw PrinterError("The printer cannot start a document: " +
                           printerName(printer_).toStdString());
    text_.setFont(*painter_, font_);
}

void QtPrinterCanvas::newPage() {
    if (!painting() || !printer_.newPage())
        throw PrinterError("The printer cannot start a new page: " +
                           printerName(printer_).toStdString());
}

void QtPrinterCanvas::endDocument() {
    if (!painting() || !endPainter())
        throw PrinterError("The printer cannot finish the document: " +
                           printerName(printer_).toStdString());
}

void QtPrinterCanvas::abortDocument() {
    if (!painting())
        return;
    printer_.abort();
    endPainter();
}

void QtPrinterCanvas::abandonDocument() noexcept {
    // A painter destroyed while active ends its document, which is what must not happen.
    if (painting())
        static_cast<void>(painter_.release());
}

void QtPrinterCanvas::setFont(const CanvasFont& font) {
    font_ = font;
    if (painting())
        text_.setFont(*painter_, font_);
}

void QtPrinterCanvas::drawText(int x, int y, std::string_view text) {
    if (!painting())
        throw PrinterError("The printer cannot draw text: no document has begun");
    text_.draw(*painter_, x, y, text);
}

} // namespace analysis
