// analysis-tool rescale: the scratch editor's post-pass on a report file.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace analysis::cli {

/// rescale FILE; returns the exit status.
int runRescaleCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace analysis::cli
