// analysis-tool setup: the program's folder tree in a profile that has none, on the user's word.
#pragma once

#include <istream>
#include <ostream>
#include <span>
#include <string>

namespace analysis::cli {

/// setup [PROFILE] [--yes]: offers to make the folders "Exec", "Data", "Help" and "Archive" of
/// the installation in PROFILE (USERPROFILE when set, otherwise HOME), and makes them when the
/// answer read from in starts with y (or with --yes, unasked). A whole installation is left as it
/// is (status 0); of a partial one only the missing folders are made, no file is touched. Status
/// 1 when the answer is no: nothing was made.
int runSetup(std::span<const std::string> args, std::istream& in, std::ostream& out,
             std::ostream& err);

/// runSetup answered from standard input.
int runSetupCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace analysis::cli
