// A canvas that records its draw calls as text, for tests and for analysis-tool's trace.
#pragma once

#include "core/print/canvas/printer_canvas.h"

#include <string>

namespace analysis {

/// Records each call as one line of the trace ("begin portrait", "font Courier New|9|bold",
/// with "|16.67cpi" after it for a font of fixed pitch and "|cp437" for code page 437 text,
/// "text 637 75 +--+", "newpage", "end"), each ended by LF. The printable page is the given
/// portrait size; the landscape orientation swaps width and height. A document that is
/// aborted records "abort" in place of "end".
class RecordingCanvas : public PrinterCanvas {
public:
    RecordingCanvas(int portraitWidth, int portraitHeight);

    void setOrientation(Orientation orientation) override { orientation_ = orientation; }
    int pageWidth() const override;
    int pageHeight() const override;

    void beginDocument() override;
    void newPage() override;
    void endDocument() override;
    void abortDocument() override;

    void setFont(const CanvasFont& font) override;
    void drawText(int x, int y, std::string_view text) override;

    const std::string& trace() const noexcept { return trace_; }

private:
    void requireDocument(const char* operation) const;

    int portraitWidth_;
    int portraitHeight_;
    Orientation orientation_ = Orientation::Portrait;
    bool inDocument_ = false;
    std::string trace_;
};

} // namespace analysis
