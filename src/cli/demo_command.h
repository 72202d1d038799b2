// analysis-tool demo: a demonstration installation with a generated race day.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace analysis::cli {

/// demo INSTALL_FOLDER [--heavy] [--race-day N]: creates the folders "Exec", "Data", "Help"
/// and "Archive" under INSTALL_FOLDER and writes a generated day's scrambled data file to
/// "Data/Analysis.DAT" (the benchmark day with --heavy). The race day defaults to today's.
/// args are the words after the verb; returns the exit status.
int runDemoCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace analysis::cli
