// The verbs of analysis-tool.
#include "cli/verb_table.h"

#include "cli/archive_command.h"
#include "cli/decode_command.h"
#include "cli/demo_command.h"
#include "cli/find_command.h"
#include "cli/pcl_command.h"
#include "cli/rescale_command.h"
#include "cli/schedule_command.h"
#include "cli/setup_command.h"
#include "cli/split_command.h"
#include "cli/stamp_command.h"

#include <algorithm>

namespace analysis::cli {
namespace {

constexpr Verb Verbs[] = {
    {"decode", "decode a day's data file into the analysis text", runDecodeCommand},
    {"split", "cut the analysis text into reports and list them", runSplitCommand},
    {"find", "find a text in every report of a split day", runFindCommand},
    {"stamp", "write the stamped print file of a print job", runStampCommand},
    {"pcl", "compose a print file as a PCL 5 stream, or its pages as a PDF", runPclCommand},
    {"canvas", "draw a print file on a printer canvas or PDF"},
    {"print", "print report files as one print job"},
    {"schedule", "print the schedule of some tracks, traced or into a PDF"},
    {"layout", "the schedule's lines per page and layout case", runLayoutCommand},
    {"rescale", "the scratch editor's rescale of a report file, in place", runRescaleCommand},
    {"setup", "make the program's folders in a profile, after asking", runSetupCommand},
    {"demo", "set up a demo installation with a generated day", runDemoCommand},
    {"archive-name", "tell whether a name may name an archive", runArchiveNameCommand},
    {"archive-save", "write report files into an archive", runArchiveSaveCommand},
    {"archive-restore", "copy an archive over the analysis text", runArchiveRestoreCommand},
};

/// The column the summaries start in: past the longest verb name.
constexpr std::size_t SummaryColumn = 18;

} // namespace

std::span<const Verb> verbTable() {
    return Verbs;
}

const Verb* findVerb(std::string_view name) {
    auto found = std::find_if(std::begin(Verbs), std::end(Verbs),
                              [name](const Verb& verb) { return verb.name == name; });
    return found == std::end(Verbs) ? nullptr : found;
}

bool runsInPrintTool(const Verb& verb, std::span<const std::string> args) {
    return verb.run == nullptr || (verb.run == runPclCommand && pclWantsPdf(args));
}

void printUsage(std::ostream& out) {
    out << "usage: analysis-tool VERB [ARGUMENTS...]   (analysis-tool VERB --help for more)\n\n";
    for (const Verb& verb : Verbs)
        out << "  " << verb.name << std::string(SummaryColumn - verb.name.size(), ' ')
            << verb.summary << "\n";
}

} // namespace analysis::cli
