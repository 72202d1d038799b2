// analysis-tool find: every line of the day's reports that holds a text.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace analysis::cli {

/// find TEXT DIR [--case]; returns the exit status.
int runFindCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace analysis::cli
