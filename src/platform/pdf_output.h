// Printing a print file with the canvas engine into a PDF file, as if on a printer of a given
// printable size.
#pragma once

#include "core/print/canvas/canvas_composer.h"

#include <filesystem>
#include <functional>

class QPageLayout;
class QPrinter;

namespace analysis {

/// Preferred device resolution of the PDF printer, in pixels per inch.
inline constexpr int PdfResolution = 600;

/// Makes printer write PDF to file, with a printable page of width x height device pixels in
/// portrait (landscape swaps them) and no margins outside it. The resolution is PdfResolution
/// when the size exists there (4800 x 6400, 5100 x 6600, ...), otherwise the nearest one at which
/// it does; returns the resolution chosen.
int setUpPdfPrinter(QPrinter& printer, const std::filesystem::path& file, int width, int height);

/// Runs print on a canvas that draws into pdf, as on a printer whose printable page is width x
/// height device pixels in portrait. The PDF is written next to its target and renamed over it
/// only once print has returned and the PDF is whole and on disk; otherwise the target is left
/// as it was, and a PDF the disk did not take whole raises IoError naming pdf ("Disk full").
/// Needs a QGuiApplication for fonts.
void printToPdf(int width, int height, const std::filesystem::path& pdf,
                const std::function<void(PrinterCanvas&)>& print);

/// Runs print on a canvas that draws into pdf on pages of sheet's paper, the printable area
/// where its margins leave it, as on the printer the layout is taken from. Written and checked
/// as the other printToPdf.
void printToPdf(const QPageLayout& sheet, const std::filesystem::path& pdf,
                const std::function<void(PrinterCanvas&)>& print);

/// Prints printFile in the layout of letter into pdf. The PDF is written next to its target
/// and renamed over it only once complete; on failure the target is left as it was.
/// Needs a QGuiApplication for fonts.
CanvasPrintResult printFileToPdf(const std::filesystem::path& printFile, char letter, int width,
                                 int height, const std::filesystem::path& pdf);

} // namespace analysis
