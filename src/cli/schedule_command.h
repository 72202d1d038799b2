// analysis-tool schedule and layout: the schedule print and its page layout.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace analysis::cli {

/// Largest line count the schedule verbs take: the settings hold 16-bit counts.
inline constexpr int LargestScheduleCount = 65535;

/// schedule LST --tracks T1,T2,... [--optimum N] [--maximum N] [--two-up] [--title TEXT]
/// --page WxH (--trace | -o OUT.pdf); returns the exit status.
int runScheduleCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

/// layout OPTIMUM MAXIMUM N; returns the exit status.
int runLayoutCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace analysis::cli
