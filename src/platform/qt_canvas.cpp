// The canvas engine's printer on Qt.
#include "platform/qt_canvas.h"

#include <QFontMetrics>
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

QtPrinterCanvas::QtPrinterCanvas(QPrinter& printer) : printer_(printer) {}

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
    applyFont();
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
    font_ = QFont(QString::fromStdString(font.name));
    font_.setPointSize(font.points);
    font_.setBold(font.bold);
    font_.setStyleHint(QFont::TypeWriter);
    applyFont();
}

void QtPrinterCanvas::drawText(int x, int y, std::string_view text) {
    if (!painter_.isActive())
        throw PrinterError("The printer cannot draw text: no document has begun");
    // Trailing blanks leave no mark; not drawing them keeps the printer's data small.
    std::size_t end = text.find_last_not_of(' ');
    if (end == std::string_view::npos)
        return;
    text = text.substr(0, end + 1);
    QString characters = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    // Control bytes have no picture in a text font: a blank keeps the columns without printing
    // a replacement box, and a tab is not expanded to a tab stop.
    for (QChar& c : characters)
        if (c.unicode() < 32 || c.unicode() == 127)
            c = QLatin1Char(' ');
    painter_.drawText(QPoint(x, y + ascent_), characters);
}

void QtPrinterCanvas::applyFont() {
    // The font is measured on the printer itself: its resolution decides the ascent in pixels.
    if (!painter_.isActive())
        return;
    painter_.setFont(font_);
    ascent_ = painter_.fontMetrics().ascent();
}

} // namespace analysis
