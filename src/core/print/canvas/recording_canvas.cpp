// A canvas that records its draw calls as text.
#include "core/print/canvas/recording_canvas.h"

#include <cstdio>

namespace analysis {

RecordingCanvas::RecordingCanvas(int portraitWidth, int portraitHeight)
    : portraitWidth_(portraitWidth), portraitHeight_(portraitHeight) {}

int RecordingCanvas::pageWidth() const {
    return orientation_ == Orientation::Portrait ? portraitWidth_ : portraitHeight_;
}

int RecordingCanvas::pageHeight() const {
    return orientation_ == Orientation::Portrait ? portraitHeight_ : portraitWidth_;
}

void RecordingCanvas::beginDocument() {
    if (inDocument_)
        throw PrinterError("The printer is already printing a document");
    inDocument_ = true;
    trace_ += orientation_ == Orientation::Portrait ? "begin portrait\n" : "begin landscape\n";
}

void RecordingCanvas::newPage() {
    requireDocument("start a new page");
    trace_ += "newpage\n";
}

void RecordingCanvas::endDocument() {
    requireDocument("end the document");
    inDocument_ = false;
    trace_ += "end\n";
}

void RecordingCanvas::abortDocument() {
    if (!inDocument_)
        return;
    inDocument_ = false;
    trace_ += "abort\n";
}

void RecordingCanvas::setFont(const CanvasFont& font) {
    trace_ += "font ";
    trace_ += font.name;
    trace_ += '|';
    char points[32];
    std::snprintf(points, sizeof points, "%g", font.points);
    trace_ += points;
    trace_ += font.bold ? "|bold" : "|normal";
    if (font.pitch > 0) {
        char pitch[32];
        std::snprintf(pitch, sizeof pitch, "|%.2fcpi", font.pitch);
        trace_ += pitch;
    }
    if (font.characters == CharacterSet::Cp437)
        trace_ += "|cp437";
    trace_ += '\n';
}

void RecordingCanvas::drawText(int x, int y, std::string_view text) {
    requireDocument("draw text");
    trace_ += "text ";
    trace_ += std::to_string(x);
    trace_ += ' ';
    trace_ += std::to_string(y);
    trace_ += ' ';
    trace_ += text;
    trace_ += '\n';
}

void RecordingCanvas::requireDocument(const char* operation) const {
    if (!inDocument_)
        throw PrinterError(std::string("The printer cannot ") + operation +
                           ": no document has begun");
}

} // namespace analysis
