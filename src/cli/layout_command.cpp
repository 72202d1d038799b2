// analysis-tool layout: the schedule's page layout for a number of lines.
#include "cli/schedule_command.h"

#include "cli/arguments.h"
#include "core/schedule/schedule_layout.h"

#include <vector>

namespace analysis::cli {

namespace {

constexpr const char* LayoutUsage =
    "usage: analysis-tool layout OPTIMUM MAXIMUM N\n"
    "  Prints the lines per page and the layout case (1 one page, 2 two pages or two columns,\n"
    "  3 several pages) the schedule print chooses for N lines with the given optimum and\n"
    "  maximum lines per page.\n";

constexpr int LargestCount = LargestScheduleCount;

int layoutVerb(Arguments& arguments, std::ostream& out, std::ostream&) {
    std::vector<std::string> positional = arguments.finish(3, 3);
    const int optimum = parseWholeNumber("OPTIMUM", positional[0], LargestCount);
    const int maximum = parseWholeNumber("MAXIMUM", positional[1], LargestCount);
    const int lines = parseWholeNumber("N", positional[2], LargestCount);
    SchedulePageSplit split = SchedulePageLayout(optimum, maximum, lines);
    out << split.linesPerPage << ' ' << static_cast<int>(split.layoutCase) << '\n';
    return 0;
}

} // namespace

int runLayoutCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, LayoutUsage, layoutVerb);
}

} // namespace analysis::cli
