#include "core/print/pcl/pcl_composer.h"

#include "core/common/io_error.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace analysis::pcl {
namespace {

const std::string Reset = "\x1b"
                          "E";
const std::string Portrait = "\x1b&l0O";
const std::string Landscape = "\x1b&l1O";
const std::string Duplex = "\x1b&l1S";
const std::string Legal = "\x1b&l3A";
const std::string SmallFont = "\x1b(s0p16.67h8.50v0s2b0T";
const std::string TenPointFont = "\x1b(s0p12.00h10.00v0s2b0T";
const std::string Pc8 = "\x1b(10U";

struct Options {
    char letter = 'J';
    bool legal = false;
    bool duplex = false;
};

std::string compose(const std::string& source, Options options = {}) {
    testing::TempDir dir;
    std::filesystem::path in = dir.write("Analysis.PRN", source);
    OutputFile out(dir / "Analysis.PCL");
    PrintPclJob(in, options.letter, options.legal, options.duplex, out);
    out.commit();
    return dir.read("Analysis.PCL");
}

std::string cursor(int vertical, int horizontal) {
    return "\x1b&a0" + std::to_string(vertical) + "v0" + std::to_string(horizontal) + "H";
}

/// Lines L1..Ln joined by CR LF, without a terminator after the last.
std::string numberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        if (i > 1)
            text += "\r\n";
        text += "L" + std::to_string(i);
    }
    return text;
}

/// One placed line: where the cursor went and the text that followed it.
struct Placed {
    int vertical;
    int horizontal;
    std::string text;
};

std::vector<Placed> placedLines(const std::string& pcl) {
    std::vector<Placed> placed;
    const std::string prefix = "\x1b&a0";
    for (std::size_t at = pcl.find(prefix); at != std::string::npos;
         at = pcl.find(prefix, at + 1)) {
        std::size_t v = pcl.find('v', at);
        std::size_t h = pcl.find('H', v);
        std::size_t end = pcl.find_first_of("\x1b\x0c", h + 1);
        placed.push_back({std::stoi(pcl.substr(at + 4, v - at - 4)),
                          std::stoi(pcl.substr(v + 2, h - v - 2)), pcl.substr(h + 1, end - h - 1)});
    }
    return placed;
}

long sheets(const std::string& pcl) {
    return std::count(pcl.begin(), pcl.end(), '\x0c');
}

TEST(PclComposer, TwoBlocksInLayoutJComposeTheDocumentedBytes) {
    std::string expected = Reset + Portrait + TenPointFont + Pc8 + cursor(90, 540) + "A" +
                           cursor(210, 540) + cursor(330, 540) + "B" + "\x0c" + Reset;
    EXPECT_EQ(compose("A\r\n\r\nB"), expected);
    // Leading, trailing and repeated blank lines leave exactly one separator between blocks.
    EXPECT_EQ(compose("\r\n \r\nA\r\n\r\n\t\r\n\r\nB\r\n\r\n"), expected);
}

TEST(PclComposer, PageSetUpFollowsLayoutAndFlags) {
    struct Case {
        Options options;
        std::string setUp;
    };
    const Case cases[] = {
        {{'J', false, false}, Reset + Portrait + TenPointFont + Pc8},
        {{'J', true, true}, Reset + Portrait + Duplex + Legal + TenPointFont + Pc8},
        {{'H', false, true}, Reset + Portrait + Duplex + SmallFont + Pc8},
        {{'I', true, false}, Reset + Portrait + Legal + SmallFont + Pc8},
        {{'G', false, true}, Reset + Landscape + SmallFont + Pc8},
        {{'G', true, true}, Reset + Landscape + Legal + SmallFont + Pc8},
    };
    for (const Case& c : cases) {
        std::string pcl = compose("A\r\nB\fC\r\n", c.options);
        SCOPED_TRACE(std::string(1, c.options.letter) + (c.options.legal ? " legal" : "") +
                     (c.options.duplex ? " duplex" : ""));
        // Every source page opens with the set-up and closes with a reset.
        ASSERT_TRUE(pcl.starts_with(c.setUp));
        EXPECT_NE(pcl.find("\x0c" + Reset + c.setUp), std::string::npos);
        EXPECT_TRUE(pcl.ends_with("\x0c" + Reset));
        if (c.options.letter == 'G') {
            EXPECT_EQ(pcl.find(Duplex), std::string::npos);
        }
    }
}

TEST(PclComposer, NoLineEndsReachThePrinter) {
    std::string pcl = compose("A\r\nB\nC\rD\n\r\r\n\fE\r\n");
    EXPECT_EQ(pcl.find_first_of("\r\n"), std::string::npos);
    std::vector<std::string> texts;
    for (const Placed& p : placedLines(pcl))
        texts.push_back(p.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"A", "BC", "D", "E"}));
}

TEST(PclComposer, LineEndsAreFoundAtEveryOffset) {
    // Long runs of text are scanned several bytes at a time; a line end must be seen wherever
    // it falls, and other control bytes stay text.
    for (int offset = 0; offset < 20; ++offset) {
        std::string head(static_cast<std::size_t>(offset), 'x');
        head += "\t\x02z";
        std::string tail = "\x01" + std::string(static_cast<std::size_t>(20 - offset), 'y');
        std::string pcl = compose(head + "\r\n" + tail + "\n\r" + tail + "\r\x0c" + head);
        std::vector<std::string> texts;
        for (const Placed& p : placedLines(pcl))
            texts.push_back(p.text);
        EXPECT_EQ(texts, (std::vector<std::string>{head, tail, tail, head})) << offset;
        EXPECT_EQ(sheets(pcl), 2) << offset;
    }
}

TEST(PclComposer, ColumnCountFollowsStoredLines) {
    struct Case {
        Options options;
        std::string source;
        long sheets;
    };
    const Case cases[] = {
        {{'J'}, numberedLines(90), 1},
        {{'J'}, numberedLines(91), 2},
        // The LF after the last CR starts one more (blank) stored line.
        {{'J'}, numberedLines(90) + "\r\n", 2},
        {{'J'}, numberedLines(270), 3},
        {{'J'}, numberedLines(271), 4},
        // Beyond four columns of 90 the page goes on: 480 lines of one block take five sheets
        // of 90 lines and one of 30.
        {{'J'}, numberedLines(480), 6},
        {{'J', true}, numberedLines(117), 1},
        {{'J', true}, numberedLines(118), 2},
        {{'I'}, numberedLines(105), 1},
        {{'I'}, numberedLines(106), 2},
        {{'I', true}, numberedLines(136), 2},
        {{'H'}, numberedLines(120), 1},
        {{'H', true}, numberedLines(157), 2},
        // Landscape: two columns a sheet, 90 lines a column on either paper.
        {{'G'}, numberedLines(180), 1},
        {{'G', true}, numberedLines(181), 2},
    };
    for (const Case& c : cases) {
        std::string pcl = compose(c.source, c.options);
        EXPECT_EQ(sheets(pcl), c.sheets)
            << c.options.letter << (c.options.legal ? " legal " : " ") << c.source.size();
    }
}

TEST(PclComposer, EveryLineOfAPageIsPrintedOnce) {
    for (int count : {91, 271, 480, 600}) {
        std::vector<Placed> placed = placedLines(compose(numberedLines(count)));
        std::vector<std::string> texts;
        for (const Placed& p : placed)
            texts.push_back(p.text);
        std::vector<std::string> expected;
        for (int i = 1; i <= count; ++i)
            expected.push_back("L" + std::to_string(i));
        EXPECT_EQ(texts, expected) << count;
    }
}

TEST(PclComposer, ThousandLinePagesKeepEveryLineAtTheNominalStep) {
    // The nominal step is the text depth over the layout's lines a column (times 1.3 for
    // portrait legal), each rounded half to even: what a full column gets.
    struct Case {
        Options options;
        int blockSize;
        long sheets;
        int nominalStep;
    };
    const Case cases[] = {
        // One block of 1000 lines in column-long pieces, the rest last.
        {{'J'}, 1000, 12, 80},      // 11 x 90 + 10
        {{'J', true}, 1000, 9, 81}, // 8 x 117 + 64
        {{'I'}, 1000, 10, 69},      // 9 x 105 + 55
        {{'I', true}, 1000, 8, 69}, // 7 x 135 + 55
        {{'H'}, 1000, 9, 60},       // 8 x 120 + 40
        {{'H', true}, 1000, 7, 60}, // 6 x 156 + 64
        {{'G'}, 1000, 6, 60},       // 12 columns of 90, two a sheet
        {{'G', true}, 1000, 6, 60},
        // 100 blocks of nine: as many whole blocks a column as fit, groups of four columns.
        {{'J'}, 9, 12, 80},       // 9 a column: 36 + 36 + 28 (balanced to 7 a column)
        {{'J', true}, 9, 10, 81}, // 11 a column: 44 + 44 + 12 over two columns
        {{'I'}, 9, 10, 69},       // 10 a column: 40 + 40 + 20
        {{'I', true}, 9, 8, 69},  // 13 a column: 52 + 48
        {{'H'}, 9, 9, 60},        // 12 a column: 48 + 48 + 4
        {{'H', true}, 9, 7, 60},  // 15 a column: 60 + 40 over three columns
        {{'G'}, 9, 6, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.options.letter) + (c.options.legal ? " legal" : "") +
                     " blocks of " + std::to_string(c.blockSize));
        std::string source;
        std::vector<std::string> expected;
        for (int n = 1; n <= 1000; ++n) {
            if (c.blockSize < 1000 && n % (c.blockSize + 1) == 0) {
                source += "\r\n";
                continue;
            }
            source += "L" + std::to_string(n) + "\r\n";
            expected.push_back("L" + std::to_string(n));
        }
        std::string pcl = compose(source + "\x0c", c.options);
        EXPECT_EQ(sheets(pcl), c.sheets);

        std::vector<std::string> texts;
        std::vector<Placed> placed = placedLines(pcl);
        for (std::size_t i = 0; i < placed.size(); ++i) {
            if (!placed[i].text.empty())
                texts.push_back(placed[i].text);
            if (i > 0 && placed[i].horizontal == placed[i - 1].horizontal &&
                placed[i].vertical > placed[i - 1].vertical)
                ASSERT_GE(placed[i].vertical - placed[i - 1].vertical, c.nominalStep) << i;
            else
                ASSERT_EQ(placed[i].vertical, 90) << "column top at line " << i;
        }
        EXPECT_EQ(texts, expected);
    }
}

TEST(PclComposer, BlocksAreBalancedOverColumns) {
    // Blocks of 30, 20, 25 and 10 lines with three blank lines between them: 94 stored lines,
    // so two columns; each gap prints as one separator, and the cut between the second and
    // the third block gives the largest product (51 x 36).
    std::string source;
    int n = 0;
    for (int size : {30, 20, 25, 10}) {
        if (n > 0)
            source += "\r\n\r\n\r\n";
        for (int i = 0; i < size; ++i)
            source += (i > 0 ? "\r\nL" : "L") + std::to_string(++n);
    }
    std::vector<Placed> placed = placedLines(compose(source));
    ASSERT_EQ(placed.size(), 51u + 36u);
    EXPECT_EQ(placed[50].text, "L50");
    EXPECT_EQ(placed[51].text, "L51");
    EXPECT_EQ(placed[51].vertical, 90);
}

TEST(PclComposer, VerticalStepIsStretchedRoundedAndCapped) {
    struct Case {
        Options options;
        int lines;
        int secondLine;
    };
    const Case cases[] = {
        {{'J'}, 50, 90 + 120},       // 7200 / 50 = 144, capped at 120
        {{'J'}, 64, 90 + 112},       // 112.5 rounds to the even 112
        {{'J'}, 90, 90 + 80},        // 7200 / 90 = 80
        {{'J', true}, 100, 90 + 94}, // 72 x 1.3 = 93.6 rounds to 94
        {{'H', true}, 150, 90 + 62}, // 48 x 1.3 = 62.4 rounds to 62
        {{'J', true}, 48, 90 + 120}, // 150 x 1.3 = 195, capped at 120
        {{'G'}, 50, 90 + 108},       // 5400 / 50
        {{'G', true}, 50, 90 + 108}, // landscape takes no legal factor
        {{'G'}, 60, 90 + 90},
    };
    for (const Case& c : cases) {
        std::vector<Placed> placed = placedLines(compose(numberedLines(c.lines), c.options));
        ASSERT_EQ(placed.size(), static_cast<std::size_t>(c.lines));
        int step = c.secondLine - 90;
        for (std::size_t i = 0; i < placed.size(); ++i)
            ASSERT_EQ(placed[i].vertical, 90 + static_cast<int>(i) * step)
                << c.options.letter << " " << c.lines << " line " << i;
    }
}

TEST(PclComposer, LongLinesPrintTheirFirst80Bytes) {
    std::string line(100, 'x');
    line[79] = 'y';
    std::vector<Placed> placed = placedLines(compose(line + "\r\nshort"));
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].text, std::string(79, 'x') + "y");
    EXPECT_EQ(placed[1].text, "short");
}

TEST(PclComposer, TextBytesGoOutUnchanged) {
    std::string box = "\xc9\xcd\xd1\xcd\xbb \xba\x01\x1b";
    EXPECT_EQ(compose(box).substr(Reset.size() + Portrait.size() + TenPointFont.size() +
                                      Pc8.size() + cursor(90, 540).size(),
                                  box.size()),
              box);
}

TEST(PclComposer, LandscapePlacesColumnsSideBySide) {
    struct Case {
        bool legal;
        int lines;
        std::vector<std::vector<int>> sheetLefts;
    };
    const Case cases[] = {
        {false, 10, {{180}}},
        {false, 91, {{180, 4050}}},
        {true, 91, {{720, 5670}}},
        {false, 181, {{180, 4050}, {180}}},
        {false, 300, {{180, 4050}, {180, 4050}}},
    };
    for (const Case& c : cases) {
        std::string pcl = compose(numberedLines(c.lines), {'G', c.legal});
        ASSERT_TRUE(pcl.ends_with("\x0c" + Reset));
        std::vector<std::vector<int>> lefts;
        std::size_t start = 0;
        for (std::size_t ff = pcl.find('\x0c'); ff != std::string::npos;
             ff = pcl.find('\x0c', start)) {
            std::vector<int> sheet;
            for (const Placed& p : placedLines(pcl.substr(start, ff - start)))
                if (sheet.empty() || sheet.back() != p.horizontal)
                    sheet.push_back(p.horizontal);
            lefts.push_back(sheet);
            start = ff + 1;
        }
        EXPECT_EQ(lefts, c.sheetLefts) << c.lines << (c.legal ? " legal" : "");
    }
}

TEST(PclComposer, LayoutIPrintsTheSmallFontAt810) {
    std::string pcl = compose("A\r\nB", {'I'});
    EXPECT_EQ(pcl, Reset + Portrait + SmallFont + Pc8 + cursor(90, 810) + "A" + cursor(210, 810) +
                       "B" + "\x0c" + Reset);
}

TEST(PclComposer, SourcePagesAndTheirEdges) {
    struct Case {
        const char* name;
        std::string source;
        std::string expected;
    };
    const std::string setUp = Reset + Portrait + TenPointFont + Pc8;
    const Case cases[] = {
        {"empty file", "", ""},
        {"empty pages print nothing", "\x0c\x0c", ""},
        {"text before a form feed on its line is dropped",
         "A\r\nlost\x0c"
         "B",
         setUp + cursor(90, 540) + "A\x0c" + Reset + setUp + cursor(90, 540) + "B\x0c" + Reset},
        {"a page of blank lines is one empty sheet", " \r\n\r\n\x0c", setUp + "\x0c" + Reset},
    };
    for (const Case& c : cases)
        EXPECT_EQ(compose(c.source), c.expected) << c.name;
}

TEST(PclComposer, OtherLettersWriteNothing) {
    for (char letter : {'A', 'F', 'K', 'g', '\0'})
        EXPECT_EQ(compose("A\r\nB\r\n", {letter}), "") << letter;
}

TEST(PclComposer, MissingPrintFileRaisesIoError) {
    testing::TempDir dir;
    OutputFile out(dir / "Analysis.PCL");
    EXPECT_THROW(PrintPclJob(dir / "missing.PRN", 'J', false, false, out), IoError);
}

} // namespace
} // namespace analysis::pcl
