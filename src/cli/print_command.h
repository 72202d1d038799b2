// analysis-tool print: a whole print job from the command line.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace analysis::cli {

int runPrintCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace analysis::cli
