// analysis-tool canvas: the canvas engine on a print file, traced or drawn into a PDF.
#include "cli/canvas_command.h"

#include "cli/arguments.h"
#include "cli/gui_application.h"
#include "cli/installation_guard.h"
#include "core/common/file_io.h"
#include "core/print/canvas/canvas_composer.h"
#include "core/print/canvas/recording_canvas.h"
#include "platform/pdf_output.h"

#include <cstdlib>
#include <memory>

namespace analysis::cli {

namespace {

constexpr const char* Usage =
    "usage: analysis-tool canvas PRN LETTER --page WxH (--trace | -o OUT.pdf)\n"
    "  Prints the print file PRN with the canvas engine in the layout of LETTER (J or I:\n"
    "  portrait 9 pt, H: portrait 7 pt, G: landscape 7 pt in two columns) on a printer whose\n"
    "  printable page is W by H device pixels in portrait.\n"
    "  --trace      print the draw calls on standard output\n"
    "  -o OUT.pdf   draw into a PDF at 600 pixels per inch\n";

int canvasVerb(Arguments& arguments, std::ostream& out, std::ostream&) {
    bool trace = arguments.flag("--trace");
    std::optional<std::string> pdf = arguments.option("-o");
    std::optional<std::string> page = arguments.option("--page");
    std::vector<std::string> positional = arguments.finish(2, 2);
    if (!page)
        throw UsageError("--page WxH is required");
    if (trace == pdf.has_value())
        throw UsageError("give either --trace or -o OUT.pdf");
    const std::string& letterText = positional[1];
    if (letterText.size() != 1 || !isLayoutLetter(letterText[0]))
        throw UsageError("LETTER must be G, H, I or J, not " + letterText);
    PageSize size = parsePageSize(*page);

    if (trace) {
        RecordingCanvas canvas(size.width, size.height);
        PrintFileOnCanvas(canvas, positional[0], letterText[0]);
        out << canvas.trace();
        return 0;
    }
    requireReadableFile(positional[0]); // named before the output is made
    const auto installation = lockInstallationAround(*pdf);
    GuiApplication application;
    printFileToPdf(positional[0], letterText[0], size.width, size.height, *pdf);
    return 0;
}

} // namespace

int runCanvasCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, Usage, canvasVerb);
}

} // namespace analysis::cli
