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

QtPrinterCanvas::~QtPrinterCanvas() {
    if (painter_.isActive()) {
        printer_.abort();
        painter_.end();
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
    if (painter_.isActive())
        throw PrinterError("The printer is already printing a document");
    if (!painter_.begin(&printer_))
        throw PrinterError("The printer cannot start a document: " +
                           printerName(printer_).toStdString());
    text_.setFont(painter_, font_);
}

void QtPrinterCanvas::newPage() {
    if (!painter_.isActive() || !printer_.newPage())
        throw PrinterError("The printer cannot start a new page: " +
                           printerName(printer_).toStdString());
}

void QtPrinterCanvas::endDocument() {
    if (!painter_.isActive() || !painter_.end())
        throw PrinterError("The printer cannot finish the document: " +
                           printerName(printer_).toStdString());
}

void QtPrinterCanvas::abortDocument() {
    if (!painter_.isActive())
        return;
    printer_.abort();
    painter_.end();
}

void QtPrinterCanvas::setFont(const CanvasFont& font) {
    font_ = font;
    if (painter_.isActive())
        text_.setFont(painter_, font_);
}

void QtPrinterCanvas::drawText(int x, int y, std::string_view text) {
    if (!painter_.isActive())
        throw PrinterError("The printer cannot draw text: no document has begun");
    text_.draw(painter_, x, y, text);
}

} // namespace analysis
