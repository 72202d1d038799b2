#include "core/print/report_reader.h"

#include "core/common/io_error.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace analysis {
namespace {

using Report = std::vector<std::string>;

/// Every report of a print file holding bytes, as the engine of rules reads them.
std::vector<Report> readReports(std::string_view bytes,
                                const ReadingRules& rules = CanvasReportRules) {
    testing::TempDir dir;
    ReportReader reader(dir.write("Analysis.PRN", bytes), rules);
    LineStore store;
    std::vector<Report> reports;
    while (!reader.atEnd()) {
        reader.ReadReportLines(store);
        reports.emplace_back(store.lines().begin(), store.lines().end());
    }
    return reports;
}

TEST(BoxCharMap, TranslatesBoxDrawingToAscii) {
    EXPECT_EQ(BoxCharMap.substr(0xAE - 0x80, 50),
              "<>_*#||||++||++++++++|-+||++++|-+++++++++++++*****");
    EXPECT_EQ(BoxCharMap.substr(0, 0xAE - 0x80), std::string(46, ' '));
    EXPECT_EQ(BoxCharMap.substr(0xE0 - 0x80), std::string(32, ' '));

    std::vector<Report> reports =
        readReports("\xC9\xCD\xD1\xCD\xBB\r\n\xBA \xB3 \xBA\r\n1\xAB\r\n\xC4\xDB\xE0\x7F\r\n\f");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], (Report{"+-+-+", "| | |", "1 ", "-* \x7F"}));
}

struct ReaderCase {
    const char* name;
    std::string bytes;
    std::vector<Report> reports;
};

TEST(ReportReader, SplitsLinesAndReports) {
    const ReaderCase cases[] = {
        {"separator after CR LF", "AB\r\nCD\r\n\f", {{"AB", "CD"}}},
        {"form feed mid-line drops the text before it",
         "AB\r\nCD\fEF\r\nGH\r\n\f",
         {{"AB"}, {"EF", "GH"}}},
        {"byte 2 ends a report like a form feed",
         "AB\r\n\x02"
         "CD\r\n\f",
         {{"AB"}, {"CD"}}},
        {"trailing CR LF stores one empty line more", "AB\r\nCD\r\n", {{"AB", "CD", ""}}},
        {"last line without terminator", "AB\r\nCD", {{"AB", "CD"}}},
        {"lone LF does not end a line", "A\nB\rC\r\f", {{"AB", "C"}}},
        {"separator first gives an empty report", "\fAB\r\n\f", {{}, {"AB"}}},
        {"empty file has no reports", "", {}},
    };
    for (const ReaderCase& c : cases)
        EXPECT_EQ(readReports(c.bytes), c.reports) << c.name;
}

TEST(ReportReader, CutsLinesAt80AndKeepsEveryLine) {
    std::string longLine(100, 'x');
    std::vector<Report> reports = readReports(longLine + "\r\n\f");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], (Report{std::string(80, 'x')}));

    // A report far longer than four pages hold loses none of its lines.
    std::string bytes;
    for (int i = 1; i <= 1500; ++i)
        bytes += std::to_string(i) + "\r\n";
    bytes += "\fnext\r\n\f";
    for (const ReadingRules& rules : {CanvasReportRules, PclPageRules}) {
        reports = readReports(bytes, rules);
        ASSERT_EQ(reports.size(), 2u);
        ASSERT_EQ(reports[0].size(), 1500u);
        for (std::size_t i = 0; i < reports[0].size(); ++i)
            ASSERT_EQ(reports[0][i], std::to_string(i + 1));
        EXPECT_EQ(reports[1], (Report{"next"}));
    }
}

TEST(ReportReader, PclPagesEndAtFormFeedOnlyAndKeepEveryByte) {
    const ReaderCase cases[] = {
        {"byte 2 is text",
         "AB\x02"
         "CD\r\n\f",
         {{"AB\x02"
           "CD"}}},
        {"box characters go out as they are",
         "\xC9\xCD\xBB\r\n\xBA\xAB\xBA\r\n\f",
         {{"\xC9\xCD\xBB", "\xBA\xAB\xBA"}}},
        {"form feed mid-line drops the text before it",
         "AB\r\nCD\fEF\r\nGH\r\n\f",
         {{"AB"}, {"EF", "GH"}}},
        {"trailing CR LF stores one empty line more", "AB\r\nCD\r\n", {{"AB", "CD", ""}}},
        {"lone LF does not end a line", "A\nB\rC\r\f", {{"AB", "C"}}},
    };
    for (const ReaderCase& c : cases)
        EXPECT_EQ(readReports(c.bytes, PclPageRules), c.reports) << c.name;
}

TEST(ReportReader, LinesAcrossTheReadChunksKeepEveryByte) {
    // Lines of 64 characters and CR LF: the file is read in chunks of a mebibyte, and the
    // first chunk ends 34 characters into a line. Runs of text are copied whole up to a
    // chunk's end; the run must go on in the next chunk without losing or mapping a byte.
    std::string line;
    for (int i = 0; i < 64; ++i)
        line += static_cast<char>(i % 2 == 0 ? 'a' + i % 26 : '\xB3');
    std::string bytes;
    while (bytes.size() < (std::size_t{1} << 20) + 200)
        bytes += line + "\r\n";
    const std::size_t lineCount = bytes.size() / (line.size() + 2);

    std::string mapped = line;
    for (char& c : mapped)
        if (c == '\xB3')
            c = '|';
    for (const auto& [rules, expected] :
         {std::pair{CanvasReportRules, mapped}, std::pair{PclPageRules, line}}) {
        std::vector<Report> reports = readReports(bytes, rules);
        ASSERT_EQ(reports.size(), 1u);
        ASSERT_EQ(reports[0].size(), lineCount + 1); // and the empty line after the last CR LF
        for (std::size_t i = 0; i < lineCount; ++i)
            ASSERT_EQ(reports[0][i], expected) << "line " << i + 1;
    }
}

TEST(ReportReader, FlagsDescribeTheLastByteAndSurviveTheEndOfFile) {
    testing::TempDir dir;
    ReportReader reader(dir.write("Analysis.PRN", "A\f"), CanvasReportRules);
    char c = 0;
    ASSERT_TRUE(reader.ReadPrintChar(c));
    EXPECT_EQ(c, 'A');
    EXPECT_FALSE(reader.endOfLine());
    ASSERT_TRUE(reader.ReadPrintChar(c));
    EXPECT_TRUE(reader.endOfReport());
    EXPECT_TRUE(reader.endOfLine());
    EXPECT_FALSE(reader.ReadPrintChar(c));
    EXPECT_EQ(c, '\f');
    EXPECT_TRUE(reader.endOfReport());
}

TEST(ReportReader, MissingFileRaisesFileNotFound) {
    testing::TempDir dir;
    try {
        ReportReader reader(dir / "Analysis.PRN", PclPageRules);
        FAIL() << "no error raised";
    } catch (const IoError& error) {
        EXPECT_EQ(error.reason(), "File not found");
        EXPECT_EQ(error.path(), dir / "Analysis.PRN");
    }
}

} // namespace
} // namespace analysis
