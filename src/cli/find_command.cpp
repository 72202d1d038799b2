// analysis-tool find: the window's search across the day, one hit a line.
#include "cli/find_command.h"

#include "cli/arguments.h"
#include "core/common/cp437.h"
#include "core/common/file_io.h"
#include "core/document/report_files.h"
#include "core/document/report_index.h"
#include "core/tools/report_search.h"

#include <algorithm>
#include <filesystem>

namespace analysis::cli {
namespace {

constexpr const char* Usage =
    "usage: analysis-tool find TEXT DIR [--case]\n"
    "  Prints each place where TEXT stands in the day's reports in DIR, one a line: the report\n"
    "  code, a tab, the line's number in the report file (from 1), a tab, and the line as the\n"
    "  file holds it (code page 437). DIR holds the day split into report files beside its\n"
    "  Analysis.TXT, as an installation does while the window runs, or after\n"
    "  \"analysis-tool split DIR/Analysis.TXT DIR\"; the reports come in the order of that text,\n"
    "  each from the working file the window shows, never from its twin. A line holding TEXT\n"
    "  twice is printed twice. TEXT is read as UTF-8 and found as the window shows the reports.\n"
    "  --case   match capitals and small letters exactly (by default either case matches)\n"
    "  --       ends the options, for a TEXT that starts with \"-\"\n"
    "  Nothing found: a warning, exit status 1.\n";

constexpr const char* AnalysisTextName = "Analysis.TXT";

std::string textToFind(const std::string& argument) {
    std::optional<std::string> bytes = cp437FromUtf8(argument);
    if (!bytes)
        throw UsageError("TEXT must be UTF-8 text of characters the reports can hold (code page "
                         "437), not \"" +
                         argument + "\"");
    if (bytes->empty())
        throw UsageError("TEXT is empty: give the text to find");
    if (bytes->find_first_of("\r\n") != std::string::npos)
        throw UsageError("TEXT must be one line: a report line never holds a line end");
    return *bytes;
}

int findVerb(Arguments& arguments, std::ostream& out, std::ostream& err) {
    const bool caseSensitive = arguments.flag("--case");
    const std::vector<std::string> words = arguments.finish(2, 2);
    const std::string text = textToFind(words[0]);
    const std::filesystem::path folder = words[1];
    const std::filesystem::path analysisText = folder / AnalysisTextName;
    if (!fileExists(analysisText))
        throw AnalysisError(folder.string() + " holds no " + AnalysisTextName +
                            ", which gives the order of the day's reports: name the folder the "
                            "day was split in");
    const std::vector<std::string> index = reportCodesOf(readFile(analysisText));
    if (!index.empty() && std::none_of(index.begin(), index.end(), [&](const std::string& code) {
            return fileExists(workingFile(folder, code));
        }))
        throw AnalysisError(analysisText.string() +
                            " is not split into report files: split it "
                            "first (analysis-tool split " +
                            analysisText.string() + " " + folder.string() + ")");

    std::size_t hits = 0;
    searchReportFiles(folder, index, ReportSearch(text, caseSensitive), [&](const ReportHit& hit) {
        out << hit.code << '\t' << hit.line << '\t' << hit.lineText << '\n';
        ++hits;
        return true;
    });
    if (hits == 0) {
        err << "analysis-tool: \"" << words[0] << "\" is in none of the " << index.size()
            << " reports in " << folder.string() << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int runFindCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, Usage, findVerb);
}

} // namespace analysis::cli
