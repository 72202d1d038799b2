// The pages a PCL 5 printer prints from a stream of the commands our composer sends, read back
// so that a preview or a PDF shows the composer's own output rather than a second layout.
#pragma once

#include "core/print/canvas/printer_canvas.h"
#include "core/print/pcl/pcl_layout.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace analysis::pcl {

/// A run of text as the printer places it: its cursor position in decipoints from the logical
/// page's left edge and the physical page's top edge (the baseline, as in PCL), and the font.
struct PclText {
    int horizontal = 0;
    int vertical = 0;
    PclFont font;
    bool bold = false;
    /// What the bytes stand for, by the symbol set selected.
    CharacterSet characters = CharacterSet::Latin1;
    std::string text;
};

/// One printed sheet side, with the set-up it was printed in.
struct PclPage {
    bool landscape = false;
    bool legal = false;
    bool duplex = false;
    /// In duplex, whether the page is the back of its sheet. A sheet's back follows its front
    /// unless a reset or a choice of simplex or duplex comes between them, which leaves the back
    /// blank and starts the next sheet.
    bool backSide = false;
    std::vector<PclText> texts;
};

/// Reads the stream as a PCL 5 printer would: reset, orientation, page size, duplex, font pitch,
/// height and stroke weight, symbol set (PC-8 text is code page 437), cursor positioning
/// (decipoints, or rows and columns), CR, LF and form feed; other escape sequences are skipped. A
/// form feed always prints a page; a reset or a change of orientation or page size prints the page
/// only when it has text, and so does the end of the stream. A value past the printer's range is
/// held to it (values at 32767, pitches at 576 an inch and at one character a sheet wide,
/// heights from 0.25 to 999.75 points), and the cursor to the longest sheet's length beyond the
/// sheet's edges, so text sent off the sheet stays off it.
std::vector<PclPage> readPclPages(std::string_view stream);

/// The pages the PCL engine prints for printFile in the layout of letter ("G" to "J"): the
/// composer's stream, read back. Raises IoError when the print file cannot be read or the
/// stream cannot be held in a temporary file.
std::vector<PclPage> composedPclPages(const std::filesystem::path& printFile, char letter,
                                      bool legal, bool duplex);

/// The sheet of a page in decipoints, in the page's orientation.
int sheetWidth(const PclPage& page);
int sheetHeight(const PclPage& page);

/// The fixed-pitch font that draws text of font at its pitch: the em that gives a monospace
/// font (advance 0.6 em) that pitch exactly (7.2 points at 16.67 characters an inch), no
/// taller than the font's height.
CanvasFont canvasFontFor(const PclFont& font, bool bold, CharacterSet characters);

/// Draws the texts of page on the canvas's current page, which is taken to be the whole sheet
/// in the page's orientation: decipoints are scaled to its device pixels.
void drawPclPage(PrinterCanvas& canvas, const PclPage& page);

/// Draws the pages on the canvas, one canvas page per printed page, as one document. The
/// canvas's page is taken to be the whole sheet (Letter or Legal, in the first page's
/// orientation), so decipoints are scaled to its device pixels. Nothing is drawn, and no
/// document begun, when there is no page.
void drawPclPages(PrinterCanvas& canvas, std::span<const PclPage> pages);

} // namespace analysis::pcl
