// The verbs of analysis-tool as a table, and the dispatch both of its executables share.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace analysis::cli {

using VerbFunction = int (*)(std::span<const std::string>, std::ostream&, std::ostream&);

struct Verb {
    std::string_view name;
    std::string_view summary;
    /// Runs the verb in this process; null for a verb that prints, which runs in
    /// analysis-tool-print so that the other verbs start without loading the printing libraries.
    VerbFunction run = nullptr;
};

/// Every verb, in the order the usage lists them.
std::span<const Verb> verbTable();

/// The verb named name, or null.
const Verb* findVerb(std::string_view name);

/// True when the verb, given these words, runs in analysis-tool-print: a verb that prints, and
/// pcl when it is asked for a PDF.
bool runsInPrintTool(const Verb& verb, std::span<const std::string> args);

/// The tool's usage: one line per verb.
void printUsage(std::ostream& out);

} // namespace analysis::cli
