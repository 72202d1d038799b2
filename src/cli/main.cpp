// analysis-tool: the program's engines on the command line.
#include "cli/canvas_command.h"
#include "cli/decode_command.h"
#include "cli/demo_command.h"
#include "cli/pcl_command.h"
#include "cli/print_command.h"
#include "cli/rescale_command.h"
#include "cli/split_command.h"
#include "cli/stamp_command.h"

#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using VerbFunction = int (*)(std::span<const std::string>, std::ostream&, std::ostream&);

struct Verb {
    std::string_view name;
    VerbFunction run;
    std::string_view summary;
};

constexpr Verb Verbs[] = {
    {"decode", analysis::cli::runDecodeCommand, "decode a day's data file into the analysis text"},
    {"split", analysis::cli::runSplitCommand, "cut the analysis text into reports and list them"},
    {"stamp", analysis::cli::runStampCommand, "write the stamped print file of a print job"},
    {"pcl", analysis::cli::runPclCommand, "compose a print file as a PCL 5 stream"},
    {"canvas", analysis::cli::runCanvasCommand, "draw a print file on a printer canvas or PDF"},
    {"print", analysis::cli::runPrintCommand, "print report files as one print job"},
    {"rescale", analysis::cli::runRescaleCommand, "drop marked lines and rescale value blocks"},
    {"demo", analysis::cli::runDemoCommand, "set up a demo installation with a generated day"},
};

void printUsage(std::ostream& out) {
    out << "usage: analysis-tool VERB [ARGUMENTS...]   (analysis-tool VERB --help for more)\n\n";
    for (const Verb& verb : Verbs)
        out << "  " << verb.name << std::string(10 - verb.name.size(), ' ') << verb.summary << "\n";
}

} // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        printUsage(words.empty() ? std::cerr : std::cout);
        return words.empty() ? 2 : 0;
    }
    for (const Verb& verb : Verbs)
        if (verb.name == words[0])
            return verb.run(std::span(words).subspan(1), std::cout, std::cerr);
    std::cerr << "analysis-tool: unknown verb " << words[0] << "\n";
    printUsage(std::cerr);
    return 2;
}
