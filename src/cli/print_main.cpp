// analysis-tool-print: the verbs of analysis-tool that draw on or send to a printer, started by
// analysis-tool with the same arguments.
#include "cli/canvas_command.h"
#include "cli/pcl_pdf_command.h"
#include "cli/print_command.h"
#include "cli/schedule_command.h"

#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char* argv[]) try {
    using namespace analysis::cli;
    std::vector<std::string> words(argv + 1, argv + argc);
    std::string_view verb = words.empty() ? std::string_view() : std::string_view(words[0]);
    std::span<const std::string> args =
        words.empty() ? std::span<const std::string>() : std::span(words).subspan(1);
    if (verb == "canvas")
        return runCanvasCommand(args, std::cout, std::cerr);
    if (verb == "print")
        return runPrintCommand(args, std::cout, std::cerr);
    if (verb == "schedule")
        return runScheduleCommand(args, std::cout, std::cerr);
    if (verb == "pcl")
        return runPclPdfCommand(args, std::cout, std::cerr);
    std::cerr << "analysis-tool-print: runs the printing verbs of analysis-tool (canvas, print, "
                 "schedule, pcl --pdf); "
                 "use analysis-tool\n";
    return 2;
} catch (const std::exception& error) {
    std::cerr << "analysis-tool: " << error.what() << "\n";
    return 2;
} catch (...) {
    std::cerr << "analysis-tool: unexpected failure\n";
    return 2;
}
