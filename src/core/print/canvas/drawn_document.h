// A document drawn once and kept, so that its pages can be drawn again one at a time: a preview
// shows only the pages in view, and a heavy day has thousands.
#pragma once

#include "core/print/canvas/printer_canvas.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace analysis {

/// A text as it was drawn: its place on the page and the font it was drawn in (an index into
/// the document's fonts).
struct DrawnText {
    int x = 0;
    int y = 0;
    std::uint32_t font = 0;
    std::string text;
};

/// One page as it was drawn, with the size of its printable area in device pixels.
struct DrawnPage {
    Orientation orientation = Orientation::Portrait;
    int width = 0;
    int height = 0;
    std::vector<DrawnText> texts;
};

/// The pages of a document as they were drawn, and the fonts they were drawn in.
struct DrawnDocument {
    std::vector<CanvasFont> fonts;
    std::vector<DrawnPage> pages;

    /// Draws page index again on canvas, which has a document begun and is on the page to draw:
    /// each text at its place, in its font.
    void drawPage(std::size_t index, PrinterCanvas& canvas) const;
};

/// Stands in for a printer and keeps what is drawn on it. The page size and orientation are the
/// printer's own (the calls that ask or set them pass through), so an engine lays its pages out
/// exactly as it does when it prints there; nothing else reaches the printer. A document that is
/// aborted keeps no page.
class DocumentRecorder : public PrinterCanvas {
public:
    explicit DocumentRecorder(PrinterCanvas& printer) : printer_(printer) {}

    void setOrientation(Orientation orientation) override;
    int pageWidth() const override { return printer_.pageWidth(); }
    int pageHeight() const override { return printer_.pageHeight(); }

    void beginDocument() override;
    void newPage() override;
    void endDocument() override;
    void abortDocument() override;

    void setFont(const CanvasFont& font) override;
    void drawText(int x, int y, std::string_view text) override;

    const DrawnDocument& document() const noexcept { return document_; }
    /// The document drawn, moved out; the recorder is left empty.
    DrawnDocument takeDocument() noexcept { return std::exchange(document_, {}); }

private:
    void addPage();
    void requireDocument(const char* operation) const;

    PrinterCanvas& printer_;
    Orientation orientation_ = Orientation::Portrait;
    bool inDocument_ = false;
    DrawnDocument document_;
    std::uint32_t font_ = 0;
};

} // namespace analysis
