// analysis-tool pcl in analysis-tool-print: the stream and, with --pdf, its pages as a PDF.
#include "cli/pcl_pdf_command.h"

#include "cli/gui_application.h"
#include "cli/pcl_command.h"
#include "core/print/pcl/pcl_pages.h"
#include "platform/pcl_pdf.h"

#include <vector>

namespace analysis::cli {

namespace {

int pclPdfVerb(Arguments& arguments, std::ostream&, std::ostream&) {
    PclRequest request = parsePclRequest(arguments);
    if (request.pclOut)
        writePclStream(request);
    if (request.pdfOut) {
        std::vector<pcl::PclPage> pages =
            pcl::ComposedPclPages(request.printFile, request.letter, request.legal, request.duplex);
        GuiApplication application;
        printPclPagesToPdf(pages, *request.pdfOut);
    }
    return 0;
}

} // namespace

int runPclPdfCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, PclUsage, pclPdfVerb);
}

} // namespace analysis::cli
