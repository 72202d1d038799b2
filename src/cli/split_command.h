// analysis-tool split: an analysis text into report files, and the report list they give.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace analysis::cli {

/// split TXT DIR [--kinds LETTERS] [--groups LETTERS] [--emax N] [--no-recut]; returns the
/// exit status.
int runSplitCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace analysis::cli
