// analysis-tool schedule and layout: the schedule print, traced or drawn into a PDF, and the
// page layout it chooses.
#include "cli/schedule_command.h"

#include "cli/arguments.h"
#include "cli/gui_application.h"
#include "cli/installation_guard.h"
#include "core/day/print_output.h"
#include "core/print/canvas/recording_canvas.h"
#include "core/schedule/schedule_layout.h"
#include "core/schedule/schedule_table.h"
#include "platform/output_targets.h"

#include <vector>

namespace analysis::cli {

namespace {

constexpr const char* ScheduleUsage =
    "usage: analysis-tool schedule LST --tracks T1,T2,... [--optimum N] [--maximum N]\n"
    "                              [--two-up] [--mark-close N] [--title TEXT] --page WxH\n"
    "                              (--trace | -o OUT.pdf)\n"
    "  Prints the lines of the schedule file LST whose track is one of the given three-letter\n"
    "  tracks, as the schedule print of the window does, on a printer whose printable page is\n"
    "  W by H device pixels (the schedule keeps the portrait page). LST is only read.\n"
    "  --tracks T1,...  the tracks to print, as if their reports were ticked\n"
    "  --optimum N      optimum lines per page (default 32)\n"
    "  --maximum N      maximum lines per page (default 64)\n"
    "  --two-up         print a schedule of two pages in two columns of one sheet\n"
    "  --mark-close N   mark each race within N minutes (1 to 15) of a race at another of the\n"
    "                   tracks, at the end of its line: \"<2 Aqu\", the gap and the nearest track\n"
    "  --title TEXT     the heading of each page (default \"Race Date\")\n"
    "  --trace          print the draw calls on standard output\n"
    "  -o OUT.pdf       draw into a PDF at 600 pixels per inch\n"
    "  No line of the tracks: nothing is printed or written, a warning, exit status 1.\n";

/// Each value is a 16-bit count, as the settings hold them.
constexpr int LargestCount = LargestScheduleCount;

std::vector<std::string> parseTracks(const std::string& text) {
    std::vector<std::string> tracks;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = text.find(',', start);
        std::string track = text.substr(start, comma - start);
        if (track.size() != 3)
            throw UsageError("--tracks needs three-letter tracks separated by commas, not " + text);
        tracks.push_back(track);
        if (comma == std::string::npos)
            return tracks;
        start = comma + 1;
    }
}

int scheduleVerb(Arguments& arguments, std::ostream& out, std::ostream& err) {
    bool trace = arguments.flag("--trace");
    bool twoUp = arguments.flag("--two-up");
    std::optional<std::string> pdf = arguments.option("-o");
    std::optional<std::string> page = arguments.option("--page");
    std::optional<std::string> tracksText = arguments.option("--tracks");
    std::optional<std::string> optimum = arguments.option("--optimum");
    std::optional<std::string> maximum = arguments.option("--maximum");
    std::optional<std::string> markClose = arguments.option("--mark-close");
    std::string title = arguments.option("--title").value_or("Race Date");
    std::vector<std::string> positional = arguments.finish(1, 1);
    if (!tracksText)
        throw UsageError("--tracks T1,T2,... is required");
    if (!page)
        throw UsageError("--page WxH is required");
    if (trace == pdf.has_value())
        throw UsageError("give either --trace or -o OUT.pdf");
    ScheduleLayoutOptions options;
    options.SimoTwoUp = twoUp;
    if (optimum)
        options.SimoOptimumLines = parseWholeNumber("--optimum", *optimum, LargestCount);
    if (maximum)
        options.SimoMaximumLines = parseWholeNumber("--maximum", *maximum, LargestCount);
    if (markClose) {
        options.markClosePosts = true;
        options.closeMinutes = parseWholeNumber("--mark-close", *markClose, LargestCount);
        if (options.closeMinutes < FewestCloseMinutes || options.closeMinutes > MostCloseMinutes)
            throw UsageError("--mark-close needs minutes from 1 to 15, not " + *markClose);
    }
    const std::vector<std::string> tracks = parseTracks(*tracksText);
    const PageSize size = parsePageSize(*page);

    const std::vector<std::string> lines =
        scheduleLinesOfTracks(LoadSchedule(positional[0]), tracks);
    if (lines.empty()) {
        err << "analysis-tool: " << positional[0] << " has no line of the tracks " << *tracksText
            << ": nothing printed\n";
        return 1;
    }
    if (trace) {
        RecordingCanvas canvas(size.width, size.height);
        CanvasOutput traced(canvas);
        printScheduleOn(traced, lines, options, title);
        out << canvas.trace();
        return 0;
    }
    const auto installation = lockInstallationAround(*pdf);
    GuiApplication application;
    PdfOutput drawn(*pdf, size.width, size.height);
    printScheduleOn(drawn, lines, options, title);
    return 0;
}

} // namespace

int runScheduleCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, ScheduleUsage, scheduleVerb);
}

} // namespace analysis::cli
