// analysis-tool stamp: the print file of a print job.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace analysis::cli {

int runStampCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace analysis::cli
