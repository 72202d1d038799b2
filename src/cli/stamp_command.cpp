// analysis-tool stamp: the print file of a print job from the given report files.
#include "cli/stamp_command.h"

#include "cli/arguments.h"
#include "cli/installation_guard.h"
#include "core/print/print_file.h"

#include <limits>
#include <vector>

namespace analysis::cli {
namespace {

constexpr const char* Usage =
    "usage: analysis-tool stamp OUT_PRN --weekday D --clock HH:MM:SS --job NNNN FILE...\n"
    "  Writes the print file of a print job from the report files, stamping identification\n"
    "  lines with the weekday digit (1 Monday .. 7 Sunday), the clock text and the job number.\n"
    "  A FILE that does not exist is skipped.\n";

std::string required(Arguments& arguments, const std::string& name) {
    auto value = arguments.option(name);
    if (!value)
        throw UsageError("missing " + name);
    return *value;
}

bool allDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

int stamp(Arguments& arguments, std::ostream&, std::ostream&) {
    JobStamp stamp;
    std::string weekday = required(arguments, "--weekday");
    if (weekday.size() != 1 || weekday[0] < '1' || weekday[0] > '7')
        throw UsageError("--weekday takes a digit from 1 (Monday) to 7 (Sunday)");
    stamp.weekdayDigit = weekday[0];
    stamp.clockText = required(arguments, "--clock");
    if (stamp.clockText.size() != 8 || stamp.clockText[2] != ':' || stamp.clockText[5] != ':')
        throw UsageError("--clock takes a time as HH:MM:SS");
    stamp.jobNumberText = required(arguments, "--job");
    if (stamp.jobNumberText.size() != 4 || !allDigits(stamp.jobNumberText))
        throw UsageError("--job takes four digits");
    std::vector<std::string> words = arguments.finish(2, std::numeric_limits<std::size_t>::max());
    std::vector<std::filesystem::path> files(words.begin() + 1, words.end());
    const auto installation = lockInstallationAround(words[0]);
    writePrintFile(files, words[0], &stamp);
    return 0;
}

} // namespace

int runStampCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, Usage, stamp);
}

} // namespace analysis::cli
