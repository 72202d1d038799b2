// analysis-tool: the program's engines on the command line. The verbs that print run in the
// separate executable analysis-tool-print, which alone loads Qt and CUPS.
#include "cli/verb_table.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

/// Where analysis-tool-print is: beside this executable in a build tree, or in the helper folder
/// an installed package puts it in, found from this executable's folder by the path the build
/// was configured with (so a package moved to another prefix still finds it).
std::filesystem::path findPrintTool(const std::filesystem::path& self) {
    const std::filesystem::path beside = self.parent_path() / "analysis-tool-print";
    if (std::filesystem::exists(beside))
        return beside;
    return (self.parent_path() / ANALYSIS_PRINT_TOOL_FROM_BIN / "analysis-tool-print")
        .lexically_normal();
}

/// Replaces this process with analysis-tool-print; returns only when that fails, with the exit
/// status.
int runInPrintTool(char* argv[]) {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    std::filesystem::path printTool = findPrintTool(self);
    if (!error) {
        argv[0] = const_cast<char*>(printTool.c_str());
        ::execv(printTool.c_str(), argv);
    }
    std::cerr << "analysis-tool: cannot start " << printTool.string() << " ("
              << std::strerror(error ? error.value() : errno) << "); it prints for this tool\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[]) try {
    using namespace analysis::cli;
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        printUsage(words.empty() ? std::cerr : std::cout);
        return words.empty() ? 2 : 0;
    }
    const Verb* verb = findVerb(words[0]);
    if (verb == nullptr) {
        std::cerr << "analysis-tool: unknown verb " << words[0] << "\n";
        printUsage(std::cerr);
        return 2;
    }
    if (runsInPrintTool(*verb, std::span(words).subspan(1)))
        return runInPrintTool(argv);
    return verb->run(std::span(words).subspan(1), std::cout, std::cerr);
} catch (const std::exception& error) {
    // Each verb reports its own failures; this is the last word for anything before or after.
    std::cerr << "analysis-tool: " << error.what() << "\n";
    return 2;
} catch (...) {
    std::cerr << "analysis-tool: unexpected failure\n";
    return 2;
}
