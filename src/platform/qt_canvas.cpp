// The canvas engine's printer on Qt.
#include "platform/qt_canvas.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
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

QtPrinterCanvas::QtPrinterCanvas(QPrinter& printer, bool forPreview)
    : printer_(printer), forPreview_(forPreview) {}

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
    pitch_ = font.pitch;
    applyFont();
}

void QtPrinterCanvas::drawText(int x, int y, std::string_view text) {
    if (!painter_.isActive())
        throw PrinterError("The printer cannot draw text: no document has begun");
    const QPointF baseline(x, y + ascent_);
    if (!forPreview_ && drawGlyphs(baseline, text))
        return;
    QString characters = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    for (QChar& c : characters)
        if (c.unicode() < 32 || c.unicode() == 127)
            c = QLatin1Char(' ');
    painter_.drawText(baseline, characters);
}

// Lines are placed glyph by glyph from the font's own advances: the output is what the text
// shaper gives for Latin-1 text in a printer font, at a fraction of the cost. Blanks, and
// control bytes, which have no picture in a text font, take one blank cell and are not drawn
// (a tab is not expanded to a tab stop). Returns false, drawing nothing, when the font lacks a
// character, so that the caller can draw the line with font fallback.
bool QtPrinterCanvas::drawGlyphs(QPointF baseline, std::string_view text) {
    if (!rawFont_.isValid())
        return false;
    runGlyphs_.clear();
    runPositions_.clear();
    qreal pen = 0;
    for (char byte : text) {
        auto c = static_cast<unsigned char>(byte);
        if (c < 32 || c == 127)
            c = ' ';
        if (c != ' ') {
            if (glyphs_[c] == 0)
                return false;
            runGlyphs_.push_back(glyphs_[c]);
            runPositions_.push_back(QPointF(pen, 0));
        }
        pen += advances_[c];
    }
    if (runGlyphs_.isEmpty())
        return true;
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes(runGlyphs_);
    run.setPositions(runPositions_);
    painter_.drawGlyphRun(baseline, run);
    return true;
}

void QtPrinterCanvas::applyFont() {
    // The font is measured on the printer itself: its resolution decides the sizes in pixels.
    if (!painter_.isActive())
        return;
    painter_.setFont(font_);
    // A fixed pitch is kept by the glyph positions below; the letter spacing keeps it for a
    // line drawn with font fallback as well.
    const qreal cell = pitch_ > 0 ? printer_.resolution() / pitch_ : 0;
    if (cell > 0) {
        // The spacing is given in points, the device's pixels at 72 to the inch.
        const qreal natural = QFontMetricsF(font_, &printer_).horizontalAdvance(QLatin1Char('0'));
        QFont spaced = font_;
        spaced.setLetterSpacing(QFont::AbsoluteSpacing,
                                (cell - natural) * 72.0 / printer_.resolution());
        painter_.setFont(spaced);
    }
    ascent_ = painter_.fontMetrics().ascent();
    rawFont_ = QRawFont::fromFont(painter_.font());
    if (!rawFont_.isValid())
        return;
    QString latin1(256, QChar(' '));
    for (int c = 0; c < 256; ++c)
        latin1[c] = QChar(c);
    int count = 256;
    if (!rawFont_.glyphIndexesForChars(latin1.constData(), 256, glyphs_.data(), &count) ||
        count != 256) {
        rawFont_ = QRawFont();
        return;
    }
    QList<quint32> glyphs(glyphs_.begin(), glyphs_.end());
    QList<QPointF> advances = rawFont_.advancesForGlyphIndexes(glyphs);
    for (int c = 0; c < 256; ++c)
        advances_[static_cast<std::size_t>(c)] = cell > 0 ? cell : advances[c].x();
}

} // namespace analysis
