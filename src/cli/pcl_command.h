// analysis-tool pcl: the PCL engine from a print file to a PCL 5 stream, and its pages as a PDF.
#pragma once

#include "cli/arguments.h"

#include <optional>
#include <ostream>
#include <span>
#include <string>

namespace analysis::cli {

/// The verb's usage, shared by both executables that run it.
extern const char* const PclUsage;

/// What a pcl run is asked to write.
struct PclRequest {
    std::string printFile;
    char letter = 'J';
    bool legal = false;
    bool duplex = false;
    std::optional<std::string> pclOut;
    std::optional<std::string> pdfOut;
};

/// The request of the verb's words; UsageError for a bad letter or when neither -o nor --pdf
/// is given.
PclRequest parsePclRequest(Arguments& arguments);

/// Writes the composed stream to request.pclOut; the file appears only once complete. The
/// caller holds the lock of the installation it goes into.
void writePclStream(const PclRequest& request);

/// True when the words ask for a PDF, which only analysis-tool-print draws.
bool pclWantsPdf(std::span<const std::string> args);

/// pcl PRN LETTER [--legal] [--duplex] -o OUT_PCL. A letter other than G, H, I or J is bad
/// input: status 2 and no file written. The output appears only once complete. --pdf is
/// refused here: analysis-tool hands such a run to analysis-tool-print.
int runPclCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace analysis::cli
