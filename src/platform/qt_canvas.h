// The canvas engine's printer on Qt: a QPrinter, which may be a real printer or a PDF file.
#pragma once

#include "core/print/canvas/printer_canvas.h"

#include <QFont>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QRawFont>

#include <array>

class QPrinter;

namespace analysis {

/// Draws on a QPrinter. Sizes are those of the printable area in device pixels, and text
/// positions are relative to its top-left corner. Font names are resolved by the system's font
/// configuration ("Courier New" is a metric-compatible monospace font on most Linux systems).
class QtPrinterCanvas : public PrinterCanvas {
public:
    /// Text goes out as glyph runs, the quickest way onto a printer or into a PDF. A preview
    /// records its pages as pictures, which keep text compact only as characters (a glyph run
    /// is kept as outlines, many times larger and slower): forPreview draws characters.
    explicit QtPrinterCanvas(QPrinter& printer, bool forPreview = false);
    /// A document still open is aborted.
    ~QtPrinterCanvas() override;
    QtPrinterCanvas(const QtPrinterCanvas&) = delete;
    QtPrinterCanvas& operator=(const QtPrinterCanvas&) = delete;

    void setOrientation(Orientation orientation) override;
    int pageWidth() const override;
    int pageHeight() const override;

    void beginDocument() override;
    void newPage() override;
    void endDocument() override;
    void abortDocument() override;

    void setFont(const CanvasFont& font) override;
    /// Bytes are drawn as Latin-1 characters, control bytes as blanks; the cell's top is at y
    /// and its baseline below it by the font's ascent.
    void drawText(int x, int y, std::string_view text) override;

private:
    void applyFont();
    bool drawGlyphs(QPointF baseline, std::string_view text);

    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
    double pitch_ = 0;
    bool forPreview_ = false;
    int ascent_ = 0;
    /// The font's glyph and advance for each Latin-1 character, so lines are placed without
    /// running the text shaper; glyph 0 marks a character the font lacks.
    QRawFont rawFont_;
    std::array<quint32, 256> glyphs_{};
    std::array<qreal, 256> advances_{};
    QList<quint32> runGlyphs_;
    QList<QPointF> runPositions_;
};

} // namespace analysis
