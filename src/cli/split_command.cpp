// analysis-tool split: an analysis text into report files, and the report list they give.
#include "cli/split_command.h"

#include "cli/arguments.h"
#include "cli/installation_guard.h"
#include "core/common/file_io.h"
#include "core/document/report_index.h"
#include "core/document/report_list.h"
#include "core/schedule/schedule_table.h"

#include <charconv>

namespace analysis::cli {
namespace {

constexpr const char* Usage =
    "usage: analysis-tool split TXT DIR [--kinds LETTERS] [--groups LETTERS] [--emax N]\n"
    "                           [--no-recut]\n"
    "  Cuts the analysis text TXT into report files and twins in DIR and prints the report\n"
    "  list, one item a line: its text, a tab, 1 when ticked or 0.\n"
    "  --kinds LETTERS   report kinds to list (default AXE)\n"
    "  --groups LETTERS  track groups to list (default @ABCDEFGHIJKLMNOPQRSTUVWXYZ)\n"
    "  --emax N          performances an E report keeps per horse, 1 to 14 (default 7)\n"
    "  --no-recut        leave E reports as delivered\n";

int parseLimit(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw UsageError("--emax needs a whole number, not " + text);
    return value;
}

int splitVerb(Arguments& arguments, std::ostream& out, std::ostream&) {
    ListSettings settings{"AXE", "@ABCDEFGHIJKLMNOPQRSTUVWXYZ"};
    settings.ReportKinds = arguments.option("--kinds").value_or(settings.ReportKinds);
    settings.TrackGroups = arguments.option("--groups").value_or(settings.TrackGroups);
    if (std::optional<std::string> limit = arguments.option("--emax"))
        settings.EmaxLines = parseLimit(*limit);
    settings.RecutEReports = !arguments.flag("--no-recut");
    const std::vector<std::string> words = arguments.finish(2, 2);
    const std::filesystem::path folder = words[1];
    const auto installation = lockInstallationOf(folder);

    // Loaded as at start-up, so a schedule file that cannot be read stops the split here too.
    if (fileExists(folder / "SimoDump.LST"))
        LoadSchedule(folder / "SimoDump.LST");
    const std::vector<std::string> index = splitAnalysisText(readFile(words[0]), folder);
    const ReportList list = BuildReportList(folder, index, settings);
    for (std::size_t i = 0; i < list.items.size(); ++i)
        out << list.items[i] << '\t' << (list.ticked[i] ? '1' : '0') << '\n';
    return 0;
}

} // namespace

int runSplitCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, Usage, splitVerb);
}

} // namespace analysis::cli
