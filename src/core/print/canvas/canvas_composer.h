// The canvas engine: prints a print file's reports by drawing their text on a printer canvas,
// each report from a page (or two-column landscape sheet) of its own, as many as it needs.
#pragma once

#include "core/print/canvas/printer_canvas.h"
#include "core/print/print_modes.h"

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

/// Prints the print file on the canvas in the layout of letter: 'J' and 'I' portrait 9 pt,
/// 'H' portrait 7 pt, 'G' landscape 7 pt in two columns; any other letter prints nothing.
/// Each report starts on a new page (a new sheet in landscape) and takes the columns its plan
/// gives (see planColumns), so a long report goes on over as many pages as it needs.
/// One printer document per call. A file that cannot be opened raises IoError before any
/// document begins; a failure once the document has begun aborts the document and passes on.
CanvasPrintResult PrintFileOnCanvas(PrinterCanvas& canvas, const std::filesystem::path& printFile,
                                    char letter);

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
