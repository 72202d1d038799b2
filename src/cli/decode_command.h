// analysis-tool decode: a day's data file into the analysis text.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace analysis::cli {

/// decode DAT OUT_TXT [--user-id ID]; returns the exit status.
int runDecodeCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace analysis::cli
