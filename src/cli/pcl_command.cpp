// analysis-tool pcl: the PCL engine from a print file to a PCL 5 stream.
#include "cli/pcl_command.h"

#include "cli/arguments.h"
#include "cli/installation_guard.h"
#include "core/common/file_io.h"
#include "core/print/pcl/pcl_composer.h"
#include "core/print/pcl/pcl_layout.h"

#include <algorithm>
#include <vector>

namespace analysis::cli {

const char* const PclUsage =
    "usage: analysis-tool pcl PRN LETTER [--legal] [--duplex] [-o OUT_PCL] [--pdf OUT_PDF]\n"
    "  Composes the print file PRN into a PCL 5 stream in layout LETTER:\n"
    "  G landscape 6pt, H portrait 6pt, I portrait (105 lines), J portrait 10pt.\n"
    "  --legal   legal paper\n"
    "  --duplex  print on both sides (portrait layouts)\n"
    "  -o        write the PCL stream to OUT_PCL\n"
    "  --pdf     write the pages a PCL printer prints from the stream to OUT_PDF,\n"
    "            one PDF page per printed page (either or both of -o and --pdf)\n";

namespace {

int pclVerb(Arguments& arguments, std::ostream&, std::ostream&) {
    PclRequest request = parsePclRequest(arguments);
    if (request.pdfOut)
        throw UsageError("--pdf is drawn by analysis-tool-print; run it through analysis-tool");
    // The input is looked at first, so a missing one is what the message names.
    requireReadableFile(request.printFile);
    const auto installation = lockInstallationAround(*request.pclOut);
    writePclStream(request);
    return 0;
}

} // namespace

PclRequest parsePclRequest(Arguments& arguments) {
    PclRequest request;
    request.legal = arguments.flag("--legal");
    request.duplex = arguments.flag("--duplex");
    request.pclOut = arguments.option("-o");
    request.pdfOut = arguments.option("--pdf");
    std::vector<std::string> positional = arguments.finish(2, 2);
    if (!request.pclOut && !request.pdfOut)
        throw UsageError("missing -o OUT_PCL or --pdf OUT_PDF");
    const std::string& letter = positional[1];
    if (letter.size() != 1 || !pcl::isPclLayoutLetter(letter[0]))
        throw UsageError("layout letter must be G, H, I or J, not \"" + letter + "\"");
    request.printFile = positional[0];
    request.letter = letter[0];
    return request;
}

void writePclStream(const PclRequest& request) {
    OutputFile pclOut(*request.pclOut, OutputFile::Mode::Replace);
    pcl::PrintPclJob(request.printFile, request.letter, request.legal, request.duplex, pclOut);
    pclOut.commit();
}

bool pclWantsPdf(std::span<const std::string> args) {
    return std::find(args.begin(), args.end(), "--pdf") != args.end();
}

int runPclCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, PclUsage, pclVerb);
}

} // namespace analysis::cli
