// analysis-tool pcl in analysis-tool-print: the stream and, with --pdf, its pages as a PDF.
#include "cli/pcl_pdf_command.h"

#include "cli/gui_application.h"
#include "cli/installation_guard.h"
#include "cli/pcl_command.h"
#include "core/common/file_io.h"
#include "core/common/temporary_files.h"
#include "core/day/print_output.h"
#include "platform/output_targets.h"

namespace analysis::cli {

namespace {

int pclPdfVerb(Arguments& arguments, std::ostream&, std::ostream&) {
    PclRequest request = parsePclRequest(arguments);
    // The input is looked at first, so a missing one is what the message names; both outputs
    // are written under the locks of the installations they go into.
    requireReadableFile(request.printFile);
    const auto installations = lockInstallationsAround(
        {request.pclOut.value_or(std::string()), request.pdfOut.value_or(std::string())});
    if (request.pclOut)
        writePclStream(request);
    if (request.pdfOut) {
        // The stream goes through the same output as the window's export: composed, read back
        // as the printer's pages, one PDF page each.
        TemporaryFolder work("analysis-pcl");
        GuiApplication application;
        PdfOutput pdf(*request.pdfOut, 0, 0);
        printInMode({fontModeFor(request.letter, true), request.legal, request.duplex},
                    request.printFile, work / "Analysis.PCL", pdf);
    }
    return 0;
}

} // namespace

int runPclPdfCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, PclUsage, pclPdfVerb);
}

} // namespace analysis::cli
