// The canvas engine: prints a print file's reports by drawing their text on a printer canvas,
// one report per page (or per two-column landscape sheet), each spread over up to four pages.
#pragma once

#include "core/print/canvas/printer_canvas.h"

#include <filesystem>
#include <optional>

namespace analysis {

/// What a print run tells its caller.
struct CanvasPrintResult {
    /// Whether the printer's page is long (legal size), as seen when a report was composed;
    /// empty when no report was printed, and the caller's legal-paper flag then stays as it is.
    std::optional<bool> pageIsLong;
    /// Reports printed; reports of fewer than two lines are skipped.
    int reportsPrinted = 0;
};

/// The mapping from layout units of the logical page to device pixels of the usable area.
struct CanvasGeometry {
    int devWidth = 0;
    int logicalWidth = 5400;
    int devHeight = 0;
    int logicalHeight = 7200;
};

/// The two portrait layouts: 9 pt with 90 lines a page, 7 pt with 120 lines a page.
enum class PortraitVariant { SevenPoint, NinePoint };

/// True for the letters the canvas engine has a layout for: G, H, I and J.
bool isLayoutLetter(char letter);

/// Prints the print file on the canvas in the layout of letter: 'J' and 'I' portrait 9 pt,
/// 'H' portrait 7 pt, 'G' landscape 7 pt in two columns; any other letter prints nothing.
/// One printer document per call. A file that cannot be opened raises IoError before any
/// document begins; a failure once the document has begun aborts the document and passes on.
CanvasPrintResult PrintFileOnCanvas(PrinterCanvas& canvas, const std::filesystem::path& printFile,
                                    char letter);

/// One portrait document: one text column per page.
CanvasPrintResult PortraitRun(PrinterCanvas& canvas, const std::filesystem::path& printFile,
                              PortraitVariant variant);

/// One landscape document: two text columns per sheet.
CanvasPrintResult LandscapeRun(PrinterCanvas& canvas, const std::filesystem::path& printFile);

/// Layout units across to device pixels, truncated; computed in x86 extended precision so the
/// pixel columns come out as the printed forms expect.
int ScaleX(const CanvasGeometry& geometry, int layoutUnits);
/// Layout units down to device pixels, truncated, likewise.
int ScaleY(const CanvasGeometry& geometry, int layoutUnits);

/// The line pitch that spreads lines evenly over devHeight pixels: the quotient rounded to the
/// nearest integer, an exact half to the even neighbour. Lines is at least 1.
int linePitch(int devHeight, int lines);

/// True when the page's long side exceeds its short side by more than 35/24 (a legal sheet,
/// not a letter sheet).
bool PageIsLong(int pageWidth, int pageHeight);

} // namespace analysis
