// analysis-tool pcl: the PCL engine from a print file to a PCL 5 stream.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace analysis::cli {

/// pcl PRN LETTER [--legal] [--duplex] -o OUT_PCL. A letter other than G, H, I or J is bad
/// input: status 2 and no file written. The output appears only once complete.
int runPclCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace analysis::cli
