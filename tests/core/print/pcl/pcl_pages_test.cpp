// The PCL pages read back from a stream: as many pages as the composer ends with form feeds,
// every text where its cursor command puts it, in the orientation and paper the stream sets.
#include "core/print/pcl/pcl_pages.h"

#include "core/common/file_io.h"
#include "core/print/canvas/recording_canvas.h"
#include "core/print/pcl/pcl_composer.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace analysis::pcl {
namespace {

const std::string Esc = "\x1b";

std::string compose(const testing::TempDir& dir, const std::string& source, char letter, bool legal,
                    bool duplex) {
    std::filesystem::path in = dir.write("Analysis.PRN", source);
    OutputFile out(dir / "Analysis.PCL");
    PrintPclJob(in, letter, legal, duplex, out);
    out.commit();
    return dir.read("Analysis.PCL");
}

/// Reports of lines "R<report> L<line>", each report its own source page.
std::string reports(int count, int lines) {
    std::string text;
    for (int r = 1; r <= count; ++r) {
        if (r > 1)
            text += "\f";
        for (int l = 1; l <= lines; ++l)
            text += "R" + std::to_string(r) + " L" + std::to_string(l) + "\r\n";
    }
    return text;
}

/// Every text of the stream in the order it comes, with the cursor command before it.
std::vector<std::string> streamTexts(const std::string& pcl) {
    std::vector<std::string> texts;
    for (std::size_t at = pcl.find('H'); at != std::string::npos; at = pcl.find('H', at + 1)) {
        if (at + 1 >= pcl.size() || pcl[at + 1] == '\x1b' || pcl[at + 1] == '\x0c')
            continue;
        if (pcl.rfind("\x1b&a", at) == std::string::npos)
            continue;
        std::size_t end = pcl.find_first_of("\x1b\x0c", at + 1);
        texts.push_back(pcl.substr(at + 1, end - at - 1));
    }
    return texts;
}

std::vector<std::string> pageTexts(const std::vector<PclPage>& pages) {
    std::vector<std::string> texts;
    for (const PclPage& page : pages)
        for (const PclText& text : page.texts)
            texts.push_back(text.text);
    return texts;
}

long lineCount(const std::string& trace, const std::string& start) {
    std::istringstream in(trace);
    long count = 0;
    for (std::string line; std::getline(in, line);)
        count += line.starts_with(start) ? 1 : 0;
    return count;
}

TEST(PclPages, EveryLayoutPrintsAPageForEachFormFeedWithTheComposedTextsInOrder) {
    testing::TempDir dir;
    // Short and long reports: a long one takes several columns, so several sheets (portrait)
    // or a second sheet of two columns (landscape).
    const std::string source = reports(3, 40) + "\f" + reports(1, 400);
    for (char letter : {'G', 'H', 'I', 'J'}) {
        for (bool legal : {false, true}) {
            for (bool duplex : {false, true}) {
                SCOPED_TRACE(std::string(1, letter) + (legal ? " legal" : " letter") +
                             (duplex ? " duplex" : ""));
                std::string pcl = compose(dir, source, letter, legal, duplex);
                std::vector<PclPage> pages = readPclPages(pcl);
                EXPECT_EQ(static_cast<long>(pages.size()),
                          std::count(pcl.begin(), pcl.end(), '\f'));
                EXPECT_EQ(pageTexts(pages), streamTexts(pcl));
                for (const PclPage& page : pages) {
                    EXPECT_EQ(page.landscape, letter == 'G');
                    EXPECT_EQ(page.legal, legal);
                    EXPECT_EQ(page.duplex, duplex && letter != 'G');
                }

                RecordingCanvas canvas(5100, legal ? 8400 : 6600);
                drawPclPages(canvas, pages);
                EXPECT_EQ(lineCount(canvas.trace(), "newpage") + 1,
                          static_cast<long>(pages.size()));
                EXPECT_TRUE(canvas.trace().starts_with(letter == 'G' ? "begin landscape"
                                                                     : "begin portrait"));
                EXPECT_TRUE(canvas.trace().ends_with("end\n"));
            }
        }
    }
}

TEST(PclPages, ComposedPagesAreTheStreamReadBack) {
    testing::TempDir dir;
    std::filesystem::path in = dir.write("Analysis.PRN", reports(2, 150));
    std::string pcl = compose(dir, reports(2, 150), 'H', true, false);
    std::vector<PclPage> pages = composedPclPages(in, 'H', true, false);
    EXPECT_EQ(static_cast<long>(pages.size()), std::count(pcl.begin(), pcl.end(), '\f'));
    EXPECT_EQ(pageTexts(pages), streamTexts(pcl));
    EXPECT_THROW(composedPclPages(dir / "missing.PRN", 'H', false, false), IoError);
}

TEST(PclPages, CursorPositionsAreDecipointsFromTheLogicalPageInDevicePixels) {
    // Letter at 600 dpi is 5100 x 6600 pixels: 600 / 720 pixels a decipoint. A portrait
    // logical page starts 180 decipoints in, a landscape one 144; positions down the page
    // count from the top margin, 360 decipoints below the edge; the cell's top is the baseline
    // less 0.8 em (10 points for 12 cpi, 7.2 points for 16.67 cpi).
    struct Case {
        std::string setUp;
        std::string cursor;
        std::string expected;
    };
    const Case cases[] = {
        {Esc + "&l0O" + Esc + "(s0p12.00h10.00v0s2b0T", Esc + "&a0090v0540H",
         "begin portrait\nfont Courier New|10|bold|12.00cpi\ntext 600 308 A\nend\n"},
        {Esc + "&l1O" + Esc + "(s0p16.67h8.50v0s2b0T", Esc + "&a0690v04050H",
         "begin landscape\nfont Courier New|7.19856|bold|16.67cpi\ntext 3495 827 A\nend\n"},
        // Relative moves, rows and columns; the legal sheet is longer, not wider.
        {Esc + "&l0O" + Esc + "&l3A" + Esc + "(s0p12.00h10.00v0s0b0T",
         Esc + "&a0720v0540H" + Esc + "&a+120v-360H",
         "begin portrait\nfont Courier New|10|normal|12.00cpi\ntext 300 933 A\nend\n"},
        {Esc + "&l0O" + Esc + "(s0p12.00h10.00v0s0b0T", Esc + "&a2r12C",
         "begin portrait\nfont Courier New|10|normal|12.00cpi\ntext 750 433 A\nend\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cursor);
        std::vector<PclPage> pages =
            readPclPages(Esc + "E" + c.setUp + c.cursor + "A\f" + Esc + "E");
        ASSERT_EQ(pages.size(), 1u);
        RecordingCanvas canvas(5100, pages[0].legal ? 8400 : 6600);
        drawPclPages(canvas, pages);
        EXPECT_EQ(canvas.trace(), c.expected);
    }
}

TEST(PclPages, PositionsDownThePageCountFromTheTopMarginAsAPrinterSetsIt) {
    // Half an inch by default; ESC&l#E sets it in lines of the current spacing (ESC&l#D lines an
    // inch, ESC&l#C forty-eighths of an inch); an orientation, a page size or a page length
    // brings the default back; relative moves and line feeds are from where the cursor is.
    struct Case {
        std::string setUp;
        int baseline;
    };
    const Case cases[] = {
        {"", 360 + 100},
        {Esc + "&l2E", 240 + 100},
        {Esc + "&l0E", 100},
        {Esc + "&l8D" + Esc + "&l4E", 360 + 100},
        {Esc + "&l12C" + Esc + "&l1E", 180 + 100},
        {Esc + "&l2E" + Esc + "&l1O", 360 + 100},
        {Esc + "&l2E" + Esc + "&l3A", 360 + 100},
        {Esc + "&l2E" + Esc + "&l66P", 360 + 100},
        // The cursor stays on the first line of the default margin; +100 moves from there.
        {Esc + "&l2E" + Esc + "&a+100V", 360 + 90 + 100},
        {Esc + "&a100V" + "\r\n", 360 + 100 + 120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setUp);
        const std::string cursor =
            c.setUp.ends_with("V") || c.setUp.ends_with("\n") ? std::string() : Esc + "&a100V";
        std::vector<PclPage> pages = readPclPages(Esc + "E" + c.setUp + cursor + "A\f");
        ASSERT_EQ(pages.size(), 1u);
        ASSERT_EQ(pages[0].texts.size(), 1u);
        EXPECT_EQ(pages[0].texts[0].vertical, c.baseline);
    }
}

TEST(PclPages, EachPagesFirstBaselineIsHalfAnInchPlusItsFirstPosition) {
    // In every layout and paper, the composer places each page's first line with an absolute
    // ESC&a#V: a printer puts it that far below the half-inch top margin.
    testing::TempDir dir;
    std::filesystem::path in = dir.write("Analysis.PRN", reports(3, 120));
    for (char letter : {'G', 'H', 'I', 'J'}) {
        for (bool legal : {false, true}) {
            SCOPED_TRACE(std::string(1, letter) + (legal ? " legal" : " letter"));
            const std::string pcl = compose(dir, reports(3, 120), letter, legal, false);
            std::vector<PclPage> pages = composedPclPages(in, letter, legal, false);
            ASSERT_FALSE(pages.empty());
            std::size_t pageStart = 0;
            for (const PclPage& page : pages) {
                const std::size_t cursor = pcl.find("\x1b&a", pageStart);
                ASSERT_NE(cursor, std::string::npos);
                const int first = std::stoi(pcl.substr(cursor + 3));
                ASSERT_FALSE(page.texts.empty());
                EXPECT_EQ(page.texts.front().vertical, 360 + first);
                pageStart = pcl.find('\f', cursor) + 1;
            }
        }
    }
}

TEST(PclPages, PagesEndAsAPrinterEndsThem) {
    struct Case {
        std::string stream;
        std::vector<std::vector<std::string>> pages;
    };
    const std::string reset = Esc + "E";
    const Case cases[] = {
        // A form feed prints a sheet even when it is blank.
        {reset + "\f\f" + reset, {{}, {}}},
        // A reset, a change of orientation and the end of the stream print a page with text.
        {reset + "A" + reset + "B" + Esc + "&l1O" + "C", {{"A"}, {"B"}, {"C"}}},
        // A reset or orientation on an empty page prints nothing.
        {reset + reset + Esc + "&l1O" + reset, {}},
        // Text advances the cursor by the pitch; unknown sequences are skipped.
        {reset + "AB" + Esc + "*t300R" + Esc + "9" + "C\f", {{"AB", "C"}}},
    };
    for (const Case& c : cases) {
        std::vector<PclPage> pages = readPclPages(c.stream);
        std::vector<std::vector<std::string>> texts;
        for (const PclPage& page : pages) {
            texts.emplace_back();
            for (const PclText& text : page.texts)
                texts.back().push_back(text.text);
        }
        EXPECT_EQ(texts, c.pages);
    }
    // "AB" at the default 10 cpi is 144 decipoints wide: "C" follows it on the same line.
    std::vector<PclPage> pages = readPclPages(reset + "AB" + "C\f");
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].texts.size(), 1u);
    pages = readPclPages(reset + "AB" + Esc + "*t300R" + "C\f");
    ASSERT_EQ(pages[0].texts.size(), 2u);
    EXPECT_EQ(pages[0].texts[1].horizontal, 144);
    // A page begins on its first line: three quarters of a line below the half-inch top margin.
    EXPECT_EQ(pages[0].texts[1].vertical, 360 + 90);
}

TEST(PclPages, TheSymbolSetSaysWhatTheBytesStandFor) {
    // PC-8 is code page 437, box drawing and all; the printer's own Roman-8, and any other
    // set, draws as Latin-1. A reset goes back to the printer's own.
    struct Case {
        std::string stream;
        std::vector<CharacterSet> characters;
    };
    const std::string reset = Esc + "E";
    const Case cases[] = {
        {reset + "A\f", {CharacterSet::Latin1}},
        {reset + Esc + "(10U" + "A\r\n" + Esc + "(8U" + "B\f",
         {CharacterSet::Cp437, CharacterSet::Latin1}},
        {reset + Esc + "(10U" + "A\f" + reset + "B\f", {CharacterSet::Cp437, CharacterSet::Latin1}},
    };
    for (const Case& c : cases) {
        std::vector<CharacterSet> characters;
        for (const PclPage& page : readPclPages(c.stream))
            for (const PclText& text : page.texts)
                characters.push_back(text.characters);
        EXPECT_EQ(characters, c.characters) << c.stream.substr(2);
    }

    // The composer's pages are all PC-8, and their canvas fonts say so.
    testing::TempDir dir;
    std::filesystem::path in = dir.write("Analysis.PRN", "\xda\xc4\xbf\r\n\xb3 \xb3\r\n");
    std::vector<PclPage> pages = composedPclPages(in, 'J', false, false);
    ASSERT_FALSE(pages.empty());
    for (const PclText& text : pages[0].texts)
        EXPECT_EQ(text.characters, CharacterSet::Cp437) << text.text;
    RecordingCanvas canvas(5100, 6600);
    drawPclPages(canvas, pages);
    EXPECT_NE(canvas.trace().find("cpi|cp437\ntext"), std::string::npos) << canvas.trace();
}

/// Where the trace drew text: its "text X Y" line's X and Y.
std::pair<long, long> drawnAt(const std::string& trace, const std::string& text) {
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string kind;
        std::pair<long, long> at;
        std::string drawn;
        if (fields >> kind >> at.first >> at.second >> drawn && kind == "text" && drawn == text)
            return at;
    }
    ADD_FAILURE() << text << " is not drawn in\n" << trace;
    return {};
}

TEST(PclPages, ValuesNoSheetHoldsKeepTextOffTheSheetAndTheFontThePrintersLargest) {
    // A print file may hold anything, escape bytes included: moves that add up past what a
    // number holds, a pitch and a height no printer has. Text sent off the sheet stays off it.
    enum class Off { Below, Above, Right };
    struct Case {
        std::string stream;
        Off off;
    };
    const std::string far = "2000000000";
    const Case cases[] = {
        {"line\r\n" + Esc + "&a+" + far + "V" + Esc + "&a+" + far + "Vboom\r\n\f", Off::Below},
        {"line\r\n" + Esc + "&a-" + far + "V" + Esc + "&a-" + far + "Vboom\r\n\f", Off::Above},
        {"line" + Esc + "&a+" + far + "C" + Esc + "&a+" + far + "Hboom\f", Off::Right},
        {"line" + Esc + "&a" + std::string(400, '9') + "Hboom\f", Off::Right},
        // A character wider than a sheet: the text after it starts beyond the edge.
        {Esc + "(s0.00000000001H" + Esc + "(s99999999999999999999V" + "line" + Esc + "*t300R" +
             "boom\f",
         Off::Right},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stream.substr(0, 60));
        std::vector<PclPage> pages = readPclPages(c.stream);
        ASSERT_EQ(pages.size(), 1u);
        RecordingCanvas canvas(5100, 6600);
        drawPclPages(canvas, pages);
        const auto [lineX, lineY] = drawnAt(canvas.trace(), "line");
        EXPECT_GE(lineX, 0);
        EXPECT_LT(lineX, 5100);
        const auto [x, y] = drawnAt(canvas.trace(), "boom");
        if (c.off == Off::Right) {
            EXPECT_GT(x, 5100);
        } else {
            EXPECT_EQ(x, lineX);
            EXPECT_TRUE(c.off == Off::Below ? y > 6600 : y < -6600) << y;
        }
    }

    // The tiny pitch and the huge height make the printer's largest font, 999.75 points.
    std::vector<PclPage> pages =
        readPclPages(Esc + "(s0.00000000001H" + Esc + "(s99999999999999999999V" + "line\f");
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].texts.size(), 1u);
    const PclText& text = pages[0].texts[0];
    EXPECT_EQ(canvasFontFor(text.font, text.bold, text.characters).points, 999.75);
    EXPECT_GT(text.font.pitch, 0.0);
    // A font made anywhere else is held to the same sizes.
    EXPECT_EQ(canvasFontFor(PclFont{1e-300, 1e300}, false, CharacterSet::Latin1).points, 999.75);
    EXPECT_EQ(canvasFontFor(PclFont{1e300, 1e-300}, false, CharacterSet::Latin1).points, 1);
}

TEST(PclPages, NoPagesDrawNoDocument) {
    RecordingCanvas canvas(5100, 6600);
    drawPclPages(canvas, {});
    EXPECT_EQ(canvas.trace(), "");
}

} // namespace
} // namespace analysis::pcl
