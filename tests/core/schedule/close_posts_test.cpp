// Close post times: reading the times, the noon roll-over, and which races are marked.
#include "core/schedule/close_posts.h"

#include "core/print/canvas/recording_canvas.h"
#include "core/schedule/schedule_print.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace analysis {
namespace {

/// A schedule line as the schedule file has it: "         1:00 -  1 Kee  -  8.5f         ".
std::string raceLine(const char* time, int race, const char* track) {
    char line[64];
    std::snprintf(line, sizeof line, "        %5s - %2d %s  -  8.5f         ", time, race, track);
    return line;
}

TEST(PostTime, ReadsColumnsNineToThirteenOnATwelveHourClock) {
    struct Case {
        std::string line;
        std::optional<int> minutes;
    };
    const Case cases[] = {
        {raceLine("1:00", 1, "Kee"), 60},
        {raceLine("9:50", 1, "Kee"), 590},
        {raceLine("10:17", 1, "Kee"), 617},
        {raceLine("12:30", 1, "Kee"), 750},
        {raceLine("13:00", 1, "Kee"), std::nullopt},
        {raceLine("0:30", 1, "Kee"), std::nullopt},
        {raceLine("1:60", 1, "Kee"), std::nullopt},
        {raceLine("1:5", 1, "Kee"), std::nullopt},
        {raceLine("", 1, "Kee"), std::nullopt},
        {raceLine("TBA", 1, "Kee"), std::nullopt},
        {"         1:0", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(postTimeOf(c.line), c.minutes) << '"' << c.line << '"';
}

TEST(PostTime, ATimeSmallerThanTheOneBeforeHasPassedNoon) {
    const std::vector<std::string> lines = {
        raceLine("11:40", 1, "Aqu"), raceLine("12:05", 1, "Kee"), raceLine("12:55", 2, "Aqu"),
        raceLine("", 2, "Kee"),      raceLine("1:02", 3, "Aqu"),  raceLine("1:02", 3, "Kee"),
        raceLine("10:44", 9, "Aqu"),
    };
    const std::vector<std::optional<int>> expected = {700, 725, 775, std::nullopt, 782, 782, 1364};
    EXPECT_EQ(scheduleClock(lines), expected);
}

TEST(ClosePostMarks, MarkRacesOfOtherTracksWithinTheMinutes) {
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        int minutes;
        std::vector<std::string> marks;
    };
    const Case cases[] = {
        {"a track never marks its own races",
         {raceLine("1:00", 1, "Aqu"), raceLine("1:01", 2, "Aqu"), raceLine("1:30", 1, "Kee")},
         3,
         {"", "", ""}},
        {"the bound counts, one minute more does not",
         {raceLine("1:00", 1, "Aqu"), raceLine("1:03", 1, "Kee"), raceLine("1:10", 2, "Aqu"),
          raceLine("1:14", 2, "Kee")},
         3,
         {"<3 Kee", "<3 Aqu", "", ""}},
        {"the same post time is a gap of none",
         {raceLine("3:50", 6, "Aqu"), raceLine("3:50", 6, "GPx")},
         1,
         {"<0 GPx", "<0 Aqu"}},
        {"the nearest race names the track, the first of equally near ones",
         {raceLine("1:00", 1, "Aqu"), raceLine("1:01", 1, "GPx"), raceLine("1:02", 1, "Kee"),
          raceLine("1:03", 1, "Tam")},
         3,
         {"<1 GPx", "<1 Aqu", "<1 GPx", "<1 Kee"}},
        {"past noon the clock goes round: 12:59 and 1:01 are two minutes apart",
         {raceLine("12:30", 1, "Aqu"), raceLine("12:59", 2, "Aqu"), raceLine("1:01", 1, "Kee")},
         3,
         {"", "<2 Kee", "<2 Aqu"}},
        {"the morning's 11:58 is close to noon's 12:01",
         {raceLine("11:58", 1, "Aqu"), raceLine("12:01", 1, "Kee")},
         3,
         {"<3 Kee", "<3 Aqu"}},
        {"a line without a time is never marked and keeps the clock as it was",
         {raceLine("12:58", 1, "Aqu"), raceLine("", 1, "Kee"), raceLine("1:00", 1, "GPx")},
         15,
         {"<2 GPx", "", "<2 Aqu"}},
        {"minutes below 1 count as 1, above 15 as 15",
         {raceLine("1:00", 1, "Aqu"), raceLine("1:01", 1, "Kee"), raceLine("2:00", 2, "Aqu"),
          raceLine("2:16", 2, "Kee")},
         0,
         {"<1 Kee", "<1 Aqu", "", ""}},
        {"fifteen minutes at most",
         {raceLine("2:00", 2, "Aqu"), raceLine("2:15", 2, "Kee"), raceLine("3:00", 3, "Aqu"),
          raceLine("3:16", 3, "Kee")},
         99,
         {"<15 Kee", "<15 Aqu", "", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(closePostMarks(c.lines, c.minutes), c.marks) << c.what;
}

/// The texts the schedule print draws for lines, in order.
std::vector<std::string> printedLines(const std::vector<std::string>& lines,
                                      const ScheduleLayoutOptions& options) {
    RecordingCanvas canvas(4800, 6400);
    printScheduleDocument(canvas, lines, options, "Wed 28-Nov-1973");
    std::vector<std::string> texts;
    const std::string trace = canvas.trace();
    for (std::size_t at = trace.find("\ntext 0 "); at != std::string::npos;
         at = trace.find("\ntext 0 ", at + 1)) {
        const std::size_t start = trace.find(' ', at + 8) + 1;
        texts.push_back(trace.substr(start, trace.find('\n', start) - start));
    }
    return texts;
}

TEST(SchedulePrint, MarksGoInColumnsThirtyFourToFortyOnlyWhenChosen) {
    const std::vector<std::string> lines = {"         1:00 -  1 Aqu  -  8.5f T       ",
                                            "         1:02 -  1 Kee  - 10.0f         ",
                                            "         1:20 -  2 Aqu  -  6.0f         ",
                                            "short",
                                            "         1:44 -  2 Kee  -  6.0f         |past forty",
                                            "         1:45 -  3 GPx  -  6.0f",
                                            "         4:00 -  4 Aqu  -  8.5f T       ",
                                            "         4:15 -  4 Kee  -  8.5f"};
    ScheduleLayoutOptions off;
    off.closeMinutes = 15;
    RecordingCanvas plain(4800, 6400);
    RecordingCanvas offButMinutesChanged(4800, 6400);
    printScheduleDocument(plain, lines, {}, "Wed 28-Nov-1973");
    printScheduleDocument(offButMinutesChanged, lines, off, "Wed 28-Nov-1973");
    EXPECT_EQ(offButMinutesChanged.trace(), plain.trace());

    ScheduleLayoutOptions on;
    on.markClosePosts = true;
    on.closeMinutes = 15;
    const std::vector<std::string> expected = {
        "         1:00 -  1 Aqu  -  8.5f T <2 Kee", "         1:02 -  1 Kee  - 10.0f   <2 Aqu",
        "         1:20 -  2 Aqu  -  6.0f         ", "        ",
        "         1:44 -  2 Kee  -  6.0f   <1 GPx", "         1:45 -  3 GPx  -  6.0f   <1 Kee",
        "         4:00 -  4 Aqu  -  8.5f T<15 Kee", "         4:15 -  4 Kee  -  8.5f  <15 Aqu"};
    const std::vector<std::string> printed = printedLines(lines, on);
    EXPECT_EQ(printed, expected);
    for (std::size_t i = 0; i < printed.size(); ++i) {
        if (i != 3) {
            EXPECT_EQ(printed[i].size(), 40u) << printed[i];
        }
    }

    // Marked or not, every line keeps its place on the page.
    RecordingCanvas marked(4800, 6400);
    printScheduleDocument(marked, lines, on, "Wed 28-Nov-1973");
    auto places = [](const std::string& trace) {
        std::string kept;
        for (std::size_t at = trace.find("text "); at != std::string::npos;
             at = trace.find("text ", at + 1))
            kept += trace.substr(at, trace.find(' ', trace.find(' ', at + 5) + 1) - at) + "\n";
        return kept;
    };
    EXPECT_EQ(places(marked.trace()), places(plain.trace()));
}

} // namespace
} // namespace analysis
