// The schedule print on the recording canvas: pages, columns, line positions, failures.
#include "core/schedule/schedule_print.h"

#include "core/print/canvas/recording_canvas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace analysis {
namespace {

struct DrawnText {
    int x = 0;
    int y = 0;
    std::string text;
};

/// One page of a recorded schedule: its titles and its lines, in drawing order.
struct Page {
    std::vector<DrawnText> titles;
    std::vector<DrawnText> lines;
};

/// A recorded document taken apart; a text drawn in the 18 point font is a title.
struct Document {
    std::string begin;
    std::vector<Page> pages;
    std::string last;
};

Document parse(const std::string& trace) {
    Document document;
    std::istringstream in(trace);
    bool title = false;
    for (std::string line; std::getline(in, line);) {
        document.last = line;
        if (line.starts_with("begin ")) {
            document.begin = line.substr(6);
            document.pages.emplace_back();
        } else if (line == "newpage") {
            document.pages.emplace_back();
        } else if (line.starts_with("font ")) {
            title = line == "font Courier New|18|bold";
            if (!title) {
                EXPECT_EQ(line, "font Courier New|12|bold");
            }
        } else if (line.starts_with("text ")) {
            std::istringstream fields(line.substr(5));
            DrawnText drawn;
            fields >> drawn.x >> drawn.y;
            drawn.text = line.substr(line.find(' ', line.find(' ', 5) + 1) + 1);
            (title ? document.pages.back().titles : document.pages.back().lines).push_back(drawn);
        }
    }
    return document;
}

/// count schedule lines, each naming its place: "         1:00 -  1 Kee  -   #0001  ".
std::vector<std::string> scheduleOf(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "         %2d:%02d - %2d Kee  -   #%04d   ", i / 60 + 1,
                      i % 60, i % 12 + 1, i);
        lines.emplace_back(line);
    }
    return lines;
}

/// The y of each line of a page laid out with spacing: blocks of four, a gap after each.
std::vector<int> expectedYs(int count, const ScheduleSpacing& spacing) {
    std::vector<int> ys;
    int y = spacing.firstLineY;
    for (int i = 1; i <= count; ++i) {
        ys.push_back(y);
        y += spacing.lineHeight + (i % 4 == 0 ? spacing.groupGap : 0);
    }
    return ys;
}

std::vector<int> ysOf(const std::vector<DrawnText>& texts) {
    std::vector<int> ys;
    for (const DrawnText& text : texts)
        ys.push_back(text.y);
    return ys;
}

void expectTitled(const Page& page, const std::vector<int>& columnXs, const std::string& where) {
    ASSERT_EQ(page.titles.size(), columnXs.size()) << where;
    for (std::size_t c = 0; c < columnXs.size(); ++c) {
        EXPECT_EQ(page.titles[c].x, columnXs[c] + 525) << where;
        EXPECT_EQ(page.titles[c].y, 75) << where;
        EXPECT_EQ(page.titles[c].text, "Wed 28-Nov-1973") << where;
    }
}

TEST(ScheduleSpacing, FollowsThePageHeightAndKeepsTheLastLineOnThePage) {
    struct Case {
        int pageHeight;
        int linesPerPage;
        int linesOnFullestPage;
        ScheduleSpacing spacing;
    };
    const Case cases[] = {
        // As laid out: the 32nd line starts at 6111, well inside 6400 pixels.
        {6400, 32, 32, {176, 44, 347}},
        {6400, 36, 33, {156, 39, 344}},
        {6400, 64, 64, {88, 22, 336}},
        {4800, 32, 32, {132, 33, 341}},
        // At 3200 pixels the 32nd line would start at 3218: the line height comes down from 88
        // until the last line's slot ends inside the page.
        {3200, 32, 32, {84, 21, 335}},
        {3200, 64, 64, {42, 10, 330}},
        // Twenty lines fit at the full height.
        {3200, 32, 20, {88, 22, 336}},
    };
    for (const Case& c : cases) {
        ScheduleSpacing spacing =
            scheduleSpacing(c.pageHeight, c.linesPerPage, c.linesOnFullestPage);
        EXPECT_EQ(spacing, c.spacing) << c.pageHeight << " " << c.linesPerPage;
        std::vector<int> ys = expectedYs(c.linesOnFullestPage, spacing);
        EXPECT_LE(ys.back() + spacing.lineHeight, c.pageHeight) << c.pageHeight;
    }
    // Without the shrinking, 32 lines at 3200 pixels: the last starts at 3218.
    EXPECT_EQ(expectedYs(32, {88, 22, 336}).back(), 3218);
    EXPECT_EQ(expectedYs(32, {176, 44, 347}).back(), 6111);
    EXPECT_THROW(scheduleSpacing(340, 32, 32), PrinterError);
}

TEST(SchedulePrint, ThirtyTwoLinesFillOnePageOfThirtyTwoSlots) {
    RecordingCanvas canvas(4800, 6400);
    const std::vector<std::string> lines = scheduleOf(32);
    SchedulePrintResult result = printScheduleDocument(canvas, lines, {}, "Wed 28-Nov-1973");
    EXPECT_TRUE(result.printed);
    EXPECT_EQ(result.split.linesPerPage, 32);
    EXPECT_TRUE(canvas.trace().starts_with("begin portrait\n"
                                           "font Courier New|18|bold\n"
                                           "text 525 75 Wed 28-Nov-1973\n"
                                           "font Courier New|12|bold\n"
                                           "text 0 347 " +
                                           lines[0] +
                                           "\n"
                                           "text 0 523 " +
                                           lines[1] + "\n"))
        << canvas.trace();
    Document document = parse(canvas.trace());
    EXPECT_EQ(document.last, "end");
    ASSERT_EQ(document.pages.size(), 1u);
    expectTitled(document.pages[0], {0}, "page 1");
    ASSERT_EQ(document.pages[0].lines.size(), 32u);
    EXPECT_EQ(ysOf(document.pages[0].lines), expectedYs(32, {176, 44, 347}));
    EXPECT_EQ(document.pages[0].lines[31].y, 6111);
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(document.pages[0].lines[i].text, lines[i]);
}

TEST(SchedulePrint, ThirtyThreeLinesTakeOnePageOfThirtySixSlots) {
    RecordingCanvas canvas(4800, 6400);
    SchedulePrintResult result =
        printScheduleDocument(canvas, scheduleOf(33), {}, "Wed 28-Nov-1973");
    EXPECT_EQ(result.split.linesPerPage, 36);
    EXPECT_EQ(result.spacing, (ScheduleSpacing{156, 39, 344}));
    Document document = parse(canvas.trace());
    ASSERT_EQ(document.pages.size(), 1u);
    EXPECT_EQ(ysOf(document.pages[0].lines), expectedYs(33, {156, 39, 344}));
}

TEST(SchedulePrint, TwoPagesWorthGoTwoUpOnOneSheetOnlyWhenAsked) {
    const std::vector<std::string> lines = scheduleOf(65);
    for (bool twoUp : {true, false}) {
        RecordingCanvas canvas(4800, 6400);
        printScheduleDocument(canvas, lines, {32, 64, twoUp}, "Wed 28-Nov-1973");
        Document document = parse(canvas.trace());
        std::vector<DrawnText> left;
        std::vector<DrawnText> right;
        if (twoUp) {
            ASSERT_EQ(document.pages.size(), 1u);
            expectTitled(document.pages[0], {0, 2400}, "2-up sheet");
            const auto& drawn = document.pages[0].lines;
            ASSERT_EQ(drawn.size(), 65u);
            left.assign(drawn.begin(), drawn.begin() + 36);
            right.assign(drawn.begin() + 36, drawn.end());
        } else {
            ASSERT_EQ(document.pages.size(), 2u);
            expectTitled(document.pages[0], {0}, "page 1");
            expectTitled(document.pages[1], {0}, "page 2");
            left = document.pages[0].lines;
            right = document.pages[1].lines;
        }
        ASSERT_EQ(left.size(), 36u);
        ASSERT_EQ(right.size(), 29u);
        const ScheduleSpacing spacing{156, 39, 344};
        EXPECT_EQ(ysOf(left), expectedYs(36, spacing));
        EXPECT_EQ(ysOf(right), expectedYs(29, spacing));
        for (const DrawnText& text : left)
            EXPECT_EQ(text.x, 0);
        for (const DrawnText& text : right)
            EXPECT_EQ(text.x, twoUp ? 2400 : 0);
        EXPECT_EQ(right.front().text, lines[36]);
        EXPECT_EQ(right.back().text, lines[64]);
    }
}

TEST(SchedulePrint, ManyLinesGoOnPagesOfTheOptimumWhateverTheTwoUpBox) {
    RecordingCanvas canvas(4800, 6400);
    const std::vector<std::string> lines = scheduleOf(200);
    SchedulePrintResult result =
        printScheduleDocument(canvas, lines, {32, 64, true}, "Wed 28-Nov-1973");
    EXPECT_EQ(result.split.layoutCase, ScheduleLayoutCase::SeveralPages);
    Document document = parse(canvas.trace());
    ASSERT_EQ(document.pages.size(), 7u);
    std::vector<std::string> printed;
    for (std::size_t p = 0; p < document.pages.size(); ++p) {
        const Page& page = document.pages[p];
        expectTitled(page, {0}, "page " + std::to_string(p + 1));
        EXPECT_EQ(page.lines.size(), p < 6 ? 32u : 8u);
        EXPECT_EQ(ysOf(page.lines),
                  expectedYs(static_cast<int>(page.lines.size()), {176, 44, 347}));
        for (const DrawnText& text : page.lines)
            printed.push_back(text.text);
    }
    EXPECT_EQ(printed, lines);
}

TEST(SchedulePrint, KeepsTheLandscapePageALandscapeCanvasPrintLeft) {
    RecordingCanvas canvas(4800, 6400);
    canvas.setOrientation(Orientation::Landscape);
    printScheduleDocument(canvas, scheduleOf(65), {32, 64, true}, "Wed 28-Nov-1973");
    Document document = parse(canvas.trace());
    EXPECT_EQ(document.begin, "landscape");
    ASSERT_EQ(document.pages.size(), 1u);
    expectTitled(document.pages[0], {0, 3200}, "landscape sheet");
    // The short side is the height now: 4800 x 15 / (36 x 17) = 117.6.
    EXPECT_EQ(ysOf(document.pages[0].lines).front(), 14 + 325);
    EXPECT_EQ(document.pages[0].lines[1].y, 339 + 117);
    EXPECT_EQ(document.pages[0].lines[36].x, 3200);
}

TEST(SchedulePrint, KeepsEveryLineOnASmallPage) {
    RecordingCanvas canvas(2400, 3200);
    printScheduleDocument(canvas, scheduleOf(32), {}, "Wed 28-Nov-1973");
    Document document = parse(canvas.trace());
    ASSERT_EQ(document.pages.size(), 1u);
    ASSERT_EQ(document.pages[0].lines.size(), 32u);
    EXPECT_EQ(ysOf(document.pages[0].lines), expectedYs(32, {84, 21, 335}));
    EXPECT_LE(document.pages[0].lines.back().y + 84, 3200);
}

TEST(SchedulePrint, PrintsColumnsNineToFortyAfterEightBlanks) {
    RecordingCanvas canvas(4800, 6400);
    const std::vector<std::string> lines = {"12345678 1:00 -  1 Kee  - 10.0f T       |past forty",
                                            "short", "", "123456789"};
    printScheduleDocument(canvas, lines, {}, "");
    Document document = parse(canvas.trace());
    ASSERT_EQ(document.pages.size(), 1u);
    const auto& drawn = document.pages[0].lines;
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[0].text, "         1:00 -  1 Kee  - 10.0f T       ");
    EXPECT_EQ(drawn[1].text, "        ");
    EXPECT_EQ(drawn[2].text, "        ");
    EXPECT_EQ(drawn[3].text, "        9");
    ASSERT_EQ(document.pages[0].titles.size(), 1u);
    EXPECT_EQ(document.pages[0].titles[0].text, "");
}

TEST(SchedulePrint, NoLinesNoPrinterCall) {
    RecordingCanvas canvas(4800, 6400);
    SchedulePrintResult result = printScheduleDocument(canvas, {}, {}, "Wed 28-Nov-1973");
    EXPECT_FALSE(result.printed);
    EXPECT_EQ(canvas.trace(), "");
}

/// A printer that fails at its second page.
class JammingCanvas : public RecordingCanvas {
public:
    using RecordingCanvas::RecordingCanvas;
    void newPage() override { throw PrinterError("Printer q: paper jam"); }
};

TEST(SchedulePrint, AFailingPrinterAbortsTheDocument) {
    JammingCanvas canvas(4800, 6400);
    try {
        printScheduleDocument(canvas, scheduleOf(65), {}, "Wed 28-Nov-1973");
        FAIL() << "the print went through";
    } catch (const PrinterError& error) {
        EXPECT_STREQ(error.what(), "Printer q: paper jam");
    }
    EXPECT_TRUE(canvas.trace().ends_with("abort\n")) << canvas.trace();
    EXPECT_EQ(canvas.trace().find("end\n"), std::string::npos);

    // A page too small for the lines is refused before any document begins.
    RecordingCanvas tiny(300, 340);
    EXPECT_THROW(printScheduleDocument(tiny, scheduleOf(32), {}, "x"), PrinterError);
    EXPECT_EQ(tiny.trace(), "");
}

} // namespace
} // namespace analysis
