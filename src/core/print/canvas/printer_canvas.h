// The printer as the canvas engine and the schedule print see it: pages of device pixels
// on which text is drawn in one font at a time.
#pragma once

#include "core/common/io_error.h"

#include <new>
#include <string>
#include <string_view>

namespace analysis {

/// The printer refused an operation (no printer, a document already in progress, ...).
class PrinterError : public AnalysisError {
public:
    using AnalysisError::AnalysisError;
};

enum class Orientation { Portrait, Landscape };

/// The characters the bytes of a text stand for.
enum class CharacterSet {
    /// ASCII and Latin-1: the canvas engine's own texts, whose box-drawing bytes it has already
    /// turned into ASCII.
    Latin1,
    /// Code page 437, with its box-drawing characters: what a PCL printer draws in the PC-8
    /// symbol set.
    Cp437,
};

/// A font by name, size in points and weight; the printer resolves the name to a font it has.
struct CanvasFont {
    std::string name = "Courier New";
    /// Whole points for the canvas engine's fonts; a PCL font's size may fall between them.
    double points = 9;
    bool bold = false;
    /// Characters per inch every character advances by; 0 keeps the font's own advance.
    double pitch = 0.0;
    CharacterSet characters = CharacterSet::Latin1;

    bool operator==(const CanvasFont&) const = default;
};

/// A printer that draws text. The calls of one document come in the order: orientation (may be
/// left as it is), page size, beginDocument, then fonts, text and newPage, then endDocument or,
/// when the document cannot be finished, abortDocument. Failures raise PrinterError.
class PrinterCanvas {
public:
    virtual ~PrinterCanvas() = default;

    /// Takes effect for the next document; the printer keeps it afterwards.
    virtual void setOrientation(Orientation orientation) = 0;
    /// Width of the printable area in device pixels, in the orientation currently set.
    virtual int pageWidth() const = 0;
    /// Height of the printable area in device pixels, in the orientation currently set.
    virtual int pageHeight() const = 0;

    virtual void beginDocument() = 0;
    /// Ends the current page and starts the next one.
    virtual void newPage() = 0;
    virtual void endDocument() = 0;
    /// Drops the document begun; nothing of it is printed.
    virtual void abortDocument() = 0;
    /// Drops the document begun when memory has run out, asking nothing more of the printer:
    /// a printer that needs memory to abort overrides it and lets the document go as it is
    /// (Qt's PDF writer, say, writes out the whole rest of the file to abort, and crashes when
    /// memory fails it there). Nothing of it is printed.
    virtual void abandonDocument() noexcept {
        try {
            abortDocument();
        } catch (...) {
        }
    }

    virtual void setFont(const CanvasFont& font) = 0;
    /// Draws text with the top-left corner of its cell at device pixel (x, y) of the printable
    /// area. The bytes stand for characters of the font's character set; control bytes are
    /// drawn as the font draws them.
    virtual void drawText(int x, int y, std::string_view text) = 0;
};

/// One document on canvas: draw() runs between beginDocument and endDocument. When drawing or
/// ending fails the document is aborted (abandoned when out of memory), so nothing half-drawn
/// is printed, and the first failure passes on: it is the one the user needs to see.
template <typename Draw>
void printDocument(PrinterCanvas& canvas, Draw&& draw) {
    canvas.beginDocument();
    try {
        draw();
        canvas.endDocument();
    } catch (const std::bad_alloc&) {
        canvas.abandonDocument();
        throw;
    } catch (...) {
        try {
            canvas.abortDocument();
        } catch (...) {
        }
        throw;
    }
}

} // namespace analysis
