#include "core/print/canvas/canvas_composer.h"
#include "core/print/canvas/canvas_layout.h"

#include "core/common/io_error.h"
#include "core/print/canvas/recording_canvas.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include <map>
#include <set>
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

/// A recorded document taken apart: its orientation, its fonts, and the texts of each page.
struct Document {
    std::string begin;
    std::vector<std::string> fonts;
    std::vector<std::vector<DrawnText>> pages;
    bool ended = false;
};

Document parse(const std::string& trace) {
    Document document;
    std::istringstream in(trace);
    std::string line;
    while (std::getline(in, line)) {
        if (line.starts_with("begin ")) {
            document.begin = line.substr(6);
            document.pages.emplace_back();
        } else if (line.starts_with("font ")) {
            document.fonts.push_back(line.substr(5));
        } else if (line == "newpage") {
            document.pages.emplace_back();
        } else if (line == "end") {
            document.ended = true;
        } else if (line.starts_with("text ")) {
            DrawnText drawn;
            std::size_t xEnd = line.find(' ', 5);
            std::size_t yEnd = line.find(' ', xEnd + 1);
            drawn.x = std::stoi(line.substr(5, xEnd - 5));
            drawn.y = std::stoi(line.substr(xEnd + 1, yEnd - xEnd - 1));
            drawn.text = line.substr(yEnd + 1);
            document.pages.back().push_back(drawn);
        } else {
            ADD_FAILURE() << "unexpected trace line: " << line;
        }
    }
    return document;
}

/// A report of exactly `lines` stored lines: blocks of blockSize lines named "<name> <n>",
/// separated by one blank line, each line ended by CR LF.
std::string report(const std::string& name, int lines, int blockSize = 9) {
    std::string text;
    int inBlock = 0;
    for (int n = 1; n <= lines; ++n) {
        if (inBlock == blockSize) {
            text += "\r\n";
            inBlock = 0;
            continue;
        }
        text += name + " " + std::to_string(n) + "\r\n";
        ++inBlock;
    }
    return text;
}

struct Printed {
    CanvasPrintResult result;
    Document document;
    std::string trace;
};

Printed print(std::string_view bytes, char letter, int width = 4800, int height = 6300) {
    testing::TempDir dir;
    std::filesystem::path file = dir.write("Analysis.PRN", bytes);
    RecordingCanvas canvas(width, height);
    Printed printed;
    printed.result = PrintFileOnCanvas(canvas, file, letter);
    printed.trace = canvas.trace();
    printed.document = parse(canvas.trace());
    return printed;
}

/// The pages on which each report's lines landed, by report name (the text before the blank).
std::map<std::string, std::set<std::size_t>> pagesByReport(const Document& document) {
    std::map<std::string, std::set<std::size_t>> pages;
    for (std::size_t p = 0; p < document.pages.size(); ++p)
        for (const DrawnText& drawn : document.pages[p])
            if (!drawn.text.empty())
                pages[drawn.text.substr(0, drawn.text.find(' '))].insert(p);
    return pages;
}

/// The distinct x positions of a page, left to right.
std::set<int> columnsOf(const std::vector<DrawnText>& page) {
    std::set<int> xs;
    for (const DrawnText& drawn : page)
        xs.insert(drawn.x);
    return xs;
}

TEST(CanvasScale, WorkedExampleInDevicePixels) {
    CanvasGeometry portrait{4500, 5400, 6000, 7200};
    EXPECT_EQ(ScaleX(portrait, 765), 637);
    EXPECT_EQ(ScaleX(portrait, 1230), 1025);
    EXPECT_EQ(ScaleY(portrait, 90), 75);
    CanvasGeometry landscape{6000, 7200, 4500, 5400};
    EXPECT_EQ(ScaleX(landscape, 180), 150);
    EXPECT_EQ(ScaleX(landscape, 4050), 3375);
    EXPECT_EQ(ScaleX(landscape, 540), 450);
    EXPECT_EQ(ScaleX(landscape, 4410), 3675);
    EXPECT_EQ(ScaleY(landscape, 90), 75);
}

TEST(CanvasScale, PitchRoundsHalfToEven) {
    struct Case {
        int height, lines, pitch;
    };
    const Case cases[] = {{6000, 90, 67}, {6000, 60, 100}, {6000, 45, 133},
                          {4500, 90, 50}, {10, 4, 2},      {14, 4, 4},
                          {7, 2, 4},      {5, 2, 2},       {6000, 7, 857}};
    for (const Case& c : cases)
        EXPECT_EQ(linePitch(c.height, c.lines), c.pitch) << c.height << " / " << c.lines;
}

TEST(CanvasScale, LegalSheetIsLongLetterSheetIsNot) {
    EXPECT_FALSE(PageIsLong(4800, 6300));
    EXPECT_FALSE(PageIsLong(6600, 5100));
    EXPECT_TRUE(PageIsLong(5100, 8400));
    EXPECT_TRUE(PageIsLong(8400, 5100));
    EXPECT_FALSE(PageIsLong(2400, 3500)); // exactly 35/24
    EXPECT_TRUE(PageIsLong(2400, 3501));
    EXPECT_FALSE(PageIsLong(0, 0));
}

TEST(PrintFileOnCanvas, PortraitWorkedExample) {
    Printed nine = print(report("R", 90, 1000) + "\f", 'J');
    EXPECT_EQ(nine.document.begin, "portrait");
    EXPECT_EQ(nine.document.fonts, std::vector<std::string>{"Courier New|9|bold"});
    ASSERT_EQ(nine.document.pages.size(), 1u);
    const std::vector<DrawnText>& page = nine.document.pages[0];
    ASSERT_EQ(page.size(), 90u);
    EXPECT_EQ(page[0].x, 637);
    EXPECT_EQ(page[0].y, 75);
    EXPECT_EQ(page[1].y, 75 + 67);
    EXPECT_EQ(page.back().y, 75 + 89 * 67);
    EXPECT_TRUE(nine.document.ended);
    EXPECT_EQ(nine.result.pageIsLong, false);
    EXPECT_EQ(nine.result.reportsPrinted, 1);

    Printed seven = print(report("R", 60, 1000) + "\f", 'H');
    EXPECT_EQ(seven.document.fonts, std::vector<std::string>{"Courier New|7|bold"});
    const std::vector<DrawnText>& sevenPage = seven.document.pages.at(0);
    EXPECT_EQ(sevenPage[0].x, 1025);
    EXPECT_EQ(sevenPage[1].y - sevenPage[0].y, 100);

    // 45 printed lines would get a pitch of 133; the advance stops at 120.
    Printed sparse = print(report("R", 45, 9) + "\f", 'J');
    const std::vector<DrawnText>& sparsePage = sparse.document.pages.at(0);
    EXPECT_EQ(sparsePage[1].y - sparsePage[0].y, 120);
    EXPECT_EQ(sparsePage[9].text, ""); // one blank line between two blocks
    EXPECT_EQ(sparsePage[10].text, "R 11");
    EXPECT_EQ(sparsePage.back().y, 75 + 44 * 120);
}

TEST(PrintFileOnCanvas, LandscapeWorkedExampleAndLegalShift) {
    Printed column = print(report("R", 90, 1000) + "\f", 'G');
    EXPECT_EQ(column.document.pages.at(0)[1].y - column.document.pages.at(0)[0].y, 50);

    Printed letter = print(report("R", 180, 9) + "\f", 'G');
    EXPECT_EQ(letter.document.begin, "landscape");
    EXPECT_EQ(letter.document.fonts, std::vector<std::string>{"Courier New|7|bold"});
    ASSERT_EQ(letter.document.pages.size(), 1u);
    EXPECT_EQ(columnsOf(letter.document.pages[0]), (std::set<int>{150, 3375}));
    EXPECT_EQ(letter.document.pages[0][0].y, 75);
    EXPECT_EQ(letter.result.pageIsLong, false);

    // A page 6300 wide and 4200 high is long and keeps the usable width of the example.
    Printed wide = print(report("R", 180, 9) + "\f", 'G', 4200, 6300);
    EXPECT_EQ(columnsOf(wide.document.pages.at(0)), (std::set<int>{450, 3675}));
    EXPECT_EQ(wide.result.pageIsLong, true);

    // The portrait layouts do not move on a long page; they still report its shape.
    Printed legal = print(report("R", 50, 9) + "\f", 'J', 4800, 8400);
    EXPECT_EQ(columnsOf(legal.document.pages.at(0)), std::set<int>{637});
    EXPECT_EQ(legal.result.pageIsLong, true);
}

TEST(PrintFileOnCanvas, ReportsOfFiftyHundredFiftyAndFourHundredLines) {
    std::string file = report("A", 50) + "\f" + report("B", 150) + "\f" + report("C", 400) + "\f";

    // C holds more than four pages of 90 lines: rather than squeezed onto four, its 40 blocks
    // of nine go on at nine blocks a page, 4 pages and then a fifth.
    Printed portrait = print(file, 'J');
    EXPECT_EQ(portrait.document.pages.size(), 8u);
    auto pages = pagesByReport(portrait.document);
    EXPECT_EQ(pages["A"], (std::set<std::size_t>{0}));
    EXPECT_EQ(pages["B"], (std::set<std::size_t>{1, 2}));
    EXPECT_EQ(pages["C"], (std::set<std::size_t>{3, 4, 5, 6, 7}));
    EXPECT_EQ(portrait.result.reportsPrinted, 3);

    Printed landscape = print(file, 'G');
    ASSERT_EQ(landscape.document.pages.size(), 5u);
    pages = pagesByReport(landscape.document);
    EXPECT_EQ(pages["A"], (std::set<std::size_t>{0}));
    EXPECT_EQ(pages["B"], (std::set<std::size_t>{1}));
    EXPECT_EQ(pages["C"], (std::set<std::size_t>{2, 3, 4}));
    EXPECT_EQ(columnsOf(landscape.document.pages[0]), std::set<int>{150});
    EXPECT_EQ(columnsOf(landscape.document.pages[1]), (std::set<int>{150, 3375}));
    EXPECT_EQ(columnsOf(landscape.document.pages[3]), (std::set<int>{150, 3375}));
    EXPECT_EQ(columnsOf(landscape.document.pages[4]), std::set<int>{150});

    // Every stored line is drawn once, in order.
    for (const Printed* printed : {&portrait, &landscape}) {
        std::vector<std::string> drawn;
        for (const auto& page : printed->document.pages)
            for (const DrawnText& text : page)
                if (!text.text.empty())
                    drawn.push_back(text.text);
        EXPECT_EQ(drawn.size(), 45u + 135u + 360u);
        EXPECT_EQ(drawn.front(), "A 1");
        EXPECT_EQ(drawn.back(), "C 399");
    }
}

TEST(PrintFileOnCanvas, ThousandLineReportsKeepEveryLineAtTheNominalPitch) {
    // Printable page 4800 x 6300: 6000 pixels of text height in portrait, 4500 in landscape.
    struct Case {
        char letter;
        int blockSize;
        std::size_t pages;
        int nominalPitch;
    };
    const Case cases[] = {
        // Blocks of nine, nine to a column of 90: 8 full columns, then 28 blocks over four.
        {'J', 9, 12, 67},
        {'I', 9, 12, 67},
        {'G', 9, 6, 50},
        // Twelve blocks to a column of 120: 9 columns.
        {'H', 9, 9, 50},
        // One block, cut into columns of 90 (or 120), the rest last.
        {'J', 1000, 12, 67},
        {'G', 1000, 6, 50},
        {'H', 1000, 9, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.letter) + " blocks of " + std::to_string(c.blockSize));
        Printed printed = print(report("R", 1000, c.blockSize) + "\f", c.letter);
        EXPECT_EQ(printed.document.pages.size(), c.pages);

        std::vector<std::string> drawn;
        for (const auto& page : printed.document.pages) {
            std::map<int, std::vector<int>> rowsByColumn;
            for (const DrawnText& text : page) {
                if (!text.text.empty())
                    drawn.push_back(text.text);
                rowsByColumn[text.x].push_back(text.y);
            }
            for (const auto& [x, rows] : rowsByColumn) {
                EXPECT_EQ(rows.front(), 75);
                for (std::size_t r = 1; r < rows.size(); ++r)
                    ASSERT_GE(rows[r] - rows[r - 1], c.nominalPitch) << "x " << x << " row " << r;
            }
        }
        std::vector<std::string> expected;
        for (int n = 1; n <= 1000; ++n)
            if (c.blockSize == 1000 || n % (c.blockSize + 1) != 0)
                expected.push_back("R " + std::to_string(n));
        EXPECT_EQ(drawn, expected);
    }
}

TEST(PrintFileOnCanvas, LetterIPrintsLikeJ) {
    std::string file = report("A", 120) + "\f" + report("B", 30);
    EXPECT_EQ(print(file, 'I').trace, print(file, 'J').trace);
}

TEST(PrintFileOnCanvas, ShortReportsPrintNothingAndStartNoPage) {
    Printed single = print("only line\r\n\f", 'J');
    EXPECT_EQ(single.trace, "begin portrait\nfont Courier New|9|bold\nend\n");
    EXPECT_EQ(single.result.reportsPrinted, 0);
    EXPECT_FALSE(single.result.pageIsLong.has_value());

    // Empty and one-line reports between and after real ones add no page, not even a blank
    // sheet at the end of the file.
    Printed mixed = print("\f" + report("A", 20) + "\fx\r\n\f" + report("B", 20) + "\f\n", 'J');
    ASSERT_EQ(mixed.document.pages.size(), 2u);
    auto pages = pagesByReport(mixed.document);
    EXPECT_EQ(pages["A"], (std::set<std::size_t>{0}));
    EXPECT_EQ(pages["B"], (std::set<std::size_t>{1}));
    EXPECT_EQ(mixed.result.reportsPrinted, 2);
}

TEST(PrintFileOnCanvas, FinalSeparatorAndTrailingLineEnd) {
    // 90 text lines in two blocks: ended by a separator they fit one page; ended by CR LF
    // at the end of the file they store 91 lines and take two pages.
    std::string text = report("R", 90, 45);
    EXPECT_EQ(print(text + "\f", 'J').document.pages.size(), 1u);
    EXPECT_EQ(print(text, 'J').document.pages.size(), 2u);
    EXPECT_EQ(print(text + "\f", 'J').trace.find("newpage"), std::string::npos);
}

TEST(PrintFileOnCanvas, FewerBlocksThanPagesPrintsEveryLineOnce) {
    // A 20-block report, then 150 lines without a blank line: one block for two pages. The
    // second report's plan must come from its own lines only.
    std::string file = report("A", 200, 9) + "\f" + report("B", 150, 1000) + "\f";
    Printed printed = print(file, 'J');
    ASSERT_EQ(printed.document.pages.size(), 5u);
    std::vector<std::string> second;
    for (std::size_t p = 3; p < 5; ++p) {
        EXPECT_LE(printed.document.pages[p].size(), 75u);
        for (const DrawnText& drawn : printed.document.pages[p])
            second.push_back(drawn.text);
    }
    ASSERT_EQ(second.size(), 150u);
    for (int n = 1; n <= 150; ++n)
        EXPECT_EQ(second[static_cast<std::size_t>(n - 1)], "B " + std::to_string(n));

    // Blank lines only: one empty page.
    Printed blank = print(report("A", 20) + "\f\r\n  \r\n\r\n\f", 'J');
    ASSERT_EQ(blank.document.pages.size(), 2u);
    EXPECT_TRUE(blank.document.pages[1].empty());
}

TEST(PrintFileOnCanvas, MissingFileStartsNoDocument) {
    testing::TempDir dir;
    RecordingCanvas canvas(4800, 6300);
    EXPECT_THROW(PrintFileOnCanvas(canvas, dir / "Analysis.PRN", 'G'), IoError);
    EXPECT_EQ(canvas.trace(), "");
}

TEST(PrintFileOnCanvas, OtherLettersPrintNothing) {
    testing::TempDir dir;
    RecordingCanvas canvas(4800, 6300);
    CanvasPrintResult result = PrintFileOnCanvas(canvas, dir / "Analysis.PRN", 'K');
    EXPECT_EQ(canvas.trace(), "");
    EXPECT_EQ(result.reportsPrinted, 0);
}

/// A printer that fails on its third line of text.
class FailingCanvas : public RecordingCanvas {
public:
    using RecordingCanvas::RecordingCanvas;
    void drawText(int x, int y, std::string_view text) override {
        if (++drawn_ == 3)
            throw PrinterError("The printer went offline");
        RecordingCanvas::drawText(x, y, text);
    }

private:
    int drawn_ = 0;
};

TEST(PrintFileOnCanvas, PrinterFailureAbortsTheDocument) {
    testing::TempDir dir;
    FailingCanvas canvas(4800, 6300);
    EXPECT_THROW(PrintFileOnCanvas(canvas, dir.write("Analysis.PRN", report("A", 20)), 'J'),
                 PrinterError);
    EXPECT_TRUE(canvas.trace().ends_with("abort\n"));
    EXPECT_EQ(canvas.trace().find("end\n"), std::string::npos);
}

TEST(CanvasLayout, PageShareOfTheLargestSideDoesNotOverflow) {
    constexpr int Largest = std::numeric_limits<int>::max();
    EXPECT_EQ((PageShare{20, 21}.of(Largest)), static_cast<int>(std::int64_t{Largest} * 20 / 21));
    EXPECT_EQ((PageShare{15, 16}.of(Largest)), static_cast<int>(std::int64_t{Largest} * 15 / 16));
    EXPECT_EQ((PageShare{15, 16}.of(4800)), 4500);
}

} // namespace
} // namespace analysis
