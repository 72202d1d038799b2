// A document drawn once and kept, to be drawn again page by page.
#include "core/print/canvas/drawn_document.h"

#include <algorithm>

namespace analysis {

void DocumentRecorder::setOrientation(Orientation orientation) {
    printer_.setOrientation(orientation);
    orientation_ = orientation;
}

void DocumentRecorder::beginDocument() {
    if (inDocument_)
        throw PrinterError("The printer is already printing a document");
    document_.pages.clear();
    inDocument_ = true;
    addPage();
}

void DocumentRecorder::newPage() {
    requireDocument("start a new page");
    addPage();
}

void DocumentRecorder::endDocument() {
    requireDocument("end the document");
    inDocument_ = false;
}

void DocumentRecorder::abortDocument() {
    inDocument_ = false;
    document_.pages.clear();
}

void DocumentRecorder::setFont(const CanvasFont& font) {
    // A document uses a handful of fonts, set thousands of times: each is kept once.
    std::vector<CanvasFont>& fonts = document_.fonts;
    auto known = std::find(fonts.begin(), fonts.end(), font);
    font_ = static_cast<std::uint32_t>(known - fonts.begin());
    if (known == fonts.end())
        fonts.push_back(font);
}

void DocumentRecorder::drawText(int x, int y, std::string_view text) {
    requireDocument("draw text");
    // Text drawn before any font is set is in the default font, kept like any other.
    if (document_.fonts.empty())
        document_.fonts.push_back(CanvasFont{});
    document_.pages.back().texts.push_back(DrawnText{x, y, font_, std::string(text)});
}

void DrawnDocument::drawPage(std::size_t index, PrinterCanvas& canvas) const {
    const DrawnPage& page = pages.at(index);
    std::uint32_t current = 0;
    bool fontSet = false;
    for (const DrawnText& text : page.texts) {
        if (!fontSet || text.font != current) {
            canvas.setFont(fonts[text.font]);
            current = text.font;
            fontSet = true;
        }
        canvas.drawText(text.x, text.y, text.text);
    }
}

void DocumentRecorder::addPage() {
    document_.pages.push_back(
        DrawnPage{orientation_, printer_.pageWidth(), printer_.pageHeight(), {}});
}

void DocumentRecorder::requireDocument(const char* operation) const {
    if (!inDocument_)
        throw PrinterError(std::string("The printer cannot ") + operation +
                           ": no document has begun");
}

} // namespace analysis
