// analysis-tool rescale: the scratch editor's post-pass on a report file.
#include "cli/rescale_command.h"

#include "cli/arguments.h"
#include "cli/installation_guard.h"
#include "core/tools/rescale.h"

namespace analysis::cli {
namespace {

constexpr const char* Usage =
    "usage: analysis-tool rescale FILE\n"
    "  Rewrites the report FILE in place as the scratch editor does after OK: in each block\n"
    "  of value lines, drops the lines marked with \"!\" and rescales the two value columns\n"
    "  so that each column's sum of 1 / (value + 1) is 1 again. Lines are cut to 127\n"
    "  characters. FILE is replaced only once the new text is complete. A FILE that is not a\n"
    "  report (it holds a NUL byte, a line longer than 127 characters or no block of value\n"
    "  lines) is left as it is, with exit status 2.\n"
    "  Exit status 1 when a value field is not a number or is -1.0: such a field is left\n"
    "  as it was and takes no part in its column; the rest is rescaled.\n";

int rescaleVerb(Arguments& arguments, std::ostream&, std::ostream& err) {
    const std::vector<std::string> files = arguments.finish(1, 1);
    const auto installation = lockInstallationAround(files[0]);
    const RescaleOutcome outcome = rescaleFile(files[0]);
    if (outcome.unreadFields == 0)
        return 0;
    err << "analysis-tool: warning: " << files[0] << ": " << outcome.unreadFields
        << " value field(s) are not a number or are -1.0; they were left as they were\n";
    return 1;
}

} // namespace

int runRescaleCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, Usage, rescaleVerb);
}

} // namespace analysis::cli
