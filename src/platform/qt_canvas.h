// The canvas engine's printer on Qt: a QPrinter, which may be a real printer or a PDF file.
#pragma once

#include "core/print/canvas/printer_canvas.h"

#include "platform/canvas_text.h"

#include <QPainter>

#include <memory>

class QPrinter;

namespace analysis {

/// Draws on a QPrinter. Sizes are those of the printable area in device pixels, and text
/// positions are relative to its top-left corner. Font names are resolved by the system's font
/// configuration ("Courier New" is a metric-compatible monospace font on most Linux systems).
class QtPrinterCanvas : public PrinterCanvas {
public:
    explicit QtPrinterCanvas(QPrinter& printer);
    /// A document still open is aborted; nothing is raised, whatever goes wrong.
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
    /// Lets the painter go unended: a small leak, on a path where the program is failing.
    void abandonDocument() noexcept override;

    /// Takes effect at once in a document, otherwise when the next one begins.
    void setFont(const CanvasFont& font) override;
    /// Control bytes are drawn as blanks; the cell's top is at y and its baseline below it by
    /// the font's ascent.
    void drawText(int x, int y, std::string_view text) override;

private:
    bool painting() const { return painter_ && painter_->isActive(); }
    /// Ends the document; see the definition for what happens when that fails part-way.
    bool endPainter();

    QPrinter& printer_;
    /// Null once a document was abandoned, or its painter failed to end.
    std::unique_ptr<QPainter> painter_;
    CanvasFont font_;
    CanvasTextPainter text_;
};

} // namespace analysis
