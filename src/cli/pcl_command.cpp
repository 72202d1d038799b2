// analysis-tool pcl: the PCL engine from a print file to a PCL 5 stream.
#include "cli/pcl_command.h"

#include "cli/arguments.h"
#include "cli/installation_guard.h"
#include "core/common/file_io.h"
#include "core/print/pcl/pcl_composer.h"
#include "core/print/pcl/pcl_layout.h"

#include <optional>
#include <vector>

namespace analysis::cli {

namespace {

constexpr const char* Usage =
    "usage: analysis-tool pcl PRN LETTER [--legal] [--duplex] -o OUT_PCL\n"
    "  Composes the print file PRN into a PCL 5 stream in layout LETTER:\n"
    "  G landscape 6pt, H portrait 6pt, I portrait (105 lines), J portrait 10pt.\n"
    "  --legal   legal paper\n"
    "  --duplex  print on both sides (portrait layouts)\n";

int pclVerb(Arguments& arguments, std::ostream&, std::ostream&) {
    bool legal = arguments.flag("--legal");
    bool duplex = arguments.flag("--duplex");
    std::optional<std::string> output = arguments.option("-o");
    std::vector<std::string> positional = arguments.finish(2, 2);
    if (!output)
        throw UsageError("missing -o OUT_PCL");
    const std::string& letter = positional[1];
    if (letter.size() != 1 || !pcl::isPclLayoutLetter(letter[0]))
        throw UsageError("layout letter must be G, H, I or J, not \"" + letter + "\"");

    // The input is looked at first, so a missing one is what the message names.
    requireReadableFile(positional[0]);
    const auto installation = lockInstallationAround(*output);
    OutputFile pclOut(*output, OutputFile::Mode::Replace);
    pcl::PrintPclJob(positional[0], letter[0], legal, duplex, pclOut);
    pclOut.commit();
    return 0;
}

} // namespace

int runPclCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, Usage, pclVerb);
}

} // namespace analysis::cli
