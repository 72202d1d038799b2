#include "demo/demo_day.h"

#include "core/common/io_error.h"
#include "core/common/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace analysis::demo {
namespace {

struct Report {
    std::string code;
    std::vector<std::string> lines;
};

// Cuts the text as the report index does: a line with a form feed and "@code" starts a report.
std::vector<Report> reportsOf(const std::string& text, std::vector<std::string>* banner = nullptr) {
    std::vector<Report> reports;
    LineReader reader(text);
    std::string_view line;
    while (reader.next(line)) {
        auto at = line.find('@');
        if (line.find('\f') != std::string_view::npos && at != std::string_view::npos)
            reports.push_back({std::string(line.substr(at + 1)), {}});
        if (!reports.empty())
            reports.back().lines.emplace_back(line);
        else if (banner)
            banner->emplace_back(line);
    }
    return reports;
}

const std::string BoxTop = "\xDA\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC2\xC4\xC4\xC4\xC4\xC4\xC4\xC4";
const std::string BoxBottom = "\xC0\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC1"
                              "\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xD9";
const std::string HeaderRule = "\xC4\xC4\xC2\xC4\xC4\xC4\xC4\xC2\xC4";

bool isPerformanceLine(const std::string& line) {
    return line.size() >= 64 && line[41] == '\xB3' && line[63] == '\xB3';
}
bool isBlockHeader(const std::string& line) {
    return line.size() == 80 && line.compare(69, 9, HeaderRule) == 0;
}
bool isValueLine(const std::string& line) {
    return line.size() == 80 && line[71] == '.' && line[76] == '.';
}

class DemoDayText : public ::testing::Test {
protected:
    static void SetUpTestSuite() { text_ = new std::string(makeAnalysisText(DemoDay())); }
    static void TearDownTestSuite() { delete text_; }
    static const std::string& text() { return *text_; }

private:
    static inline std::string* text_ = nullptr;
};

TEST_F(DemoDayText, HasFourReportsPerTrackAfterABanner) {
    std::vector<std::string> banner;
    auto reports = reportsOf(text(), &banner);
    EXPECT_GE(banner.size(), 2u);
    std::vector<std::string> expected;
    for (const auto& track : DemoDay().tracks)
        for (char kind : {'A', 'X', 'E', 'B'})
            expected.push_back(std::string(1, kind) + "01" + track);
    std::vector<std::string> codes;
    for (const auto& report : reports)
        codes.push_back(report.code);
    EXPECT_EQ(codes, expected);
    EXPECT_GT(text().size(), 100'000u);
    EXPECT_LT(text().size(), 1'000'000u);
}

TEST_F(DemoDayText, LinesEndInCrLfAndFitEightyColumns) {
    std::size_t start = 0;
    while (start < text().size()) {
        auto end = text().find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "text does not end with CR LF";
        std::string_view line(text().data() + start, end - start);
        ASSERT_LE(line.size(), 80u) << line;
        ASSERT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << line;
        start = end + 2;
    }
}

TEST_F(DemoDayText, ReportsVaryInLengthAndSomeSpanSeveralPages) {
    std::size_t over90 = 0, over120 = 0, shortest = SIZE_MAX;
    for (const auto& report : reportsOf(text())) {
        over90 += report.lines.size() > 90;
        over120 += report.lines.size() > 120;
        shortest = std::min(shortest, report.lines.size());
    }
    EXPECT_GT(over90, over120);
    EXPECT_GT(over120, 0u);
    EXPECT_LT(shortest, 90u);
}

TEST_F(DemoDayText, ValueReportsCarryStampMarksAndRescalableBlocks) {
    for (const auto& report : reportsOf(text())) {
        if (report.code[0] != 'A' && report.code[0] != 'X')
            continue;
        std::size_t ids = 0, blocks = 0;
        for (std::size_t i = 0; i < report.lines.size(); ++i) {
            const std::string& line = report.lines[i];
            auto id = line.find("ID: ");
            if (id != std::string::npos) {
                EXPECT_GE(id, 16u);
                ASSERT_GE(line.size(), id + 8);
                EXPECT_EQ(line[id + 4], '\x01');
                EXPECT_LE(id + 26, 80u) << "a stamped line would pass 80 columns";
                ++ids;
            }
            if (!isBlockHeader(line))
                continue;
            ++blocks;
            std::size_t values = 0;
            while (i + 1 < report.lines.size() && isValueLine(report.lines[i + 1])) {
                EXPECT_EQ(report.lines[i + 1].find('!'), std::string::npos);
                ++values;
                ++i;
            }
            EXPECT_EQ(values, 8u) << report.code;
            ASSERT_LT(i + 1, report.lines.size());
            EXPECT_FALSE(isBlockHeader(report.lines[i + 1]));
        }
        EXPECT_GT(blocks, 0u) << report.code;
        EXPECT_EQ(ids, blocks + 1) << report.code;
    }
}

TEST_F(DemoDayText, PerformanceReportsBoxEveryHorse) {
    const DayShape shape = DemoDay();
    std::size_t spacers = 0;
    for (const auto& report : reportsOf(text())) {
        if (report.code[0] != 'E')
            continue;
        std::size_t boxes = 0;
        bool inBox = false;
        int performances = 0;
        for (const auto& line : report.lines) {
            if (line.find(BoxTop) != std::string::npos) {
                EXPECT_FALSE(inBox);
                inBox = true;
                performances = 0;
            } else if (line.find(BoxBottom) != std::string::npos) {
                EXPECT_TRUE(inBox);
                EXPECT_EQ(performances, shape.performancesPerHorse);
                inBox = false;
                ++boxes;
            } else if (inBox && isPerformanceLine(line)) {
                ++performances;
            } else if (inBox && performances > 0) {
                ++spacers;
            }
        }
        EXPECT_EQ(boxes, std::size_t(shape.racesPerTrack * shape.horsesPerRace)) << report.code;
    }
    EXPECT_GT(spacers, 0u) << "layoff spacer lines give the trimming something to skip";
}

TEST(DemoDay, SameShapeGivesSameTextAndSeedChangesIt) {
    DayShape shape{{"Kee"}, 2, 4, 3, 5};
    EXPECT_EQ(makeAnalysisText(shape), makeAnalysisText(shape));
    DayShape other = shape;
    other.seed = 6;
    EXPECT_NE(makeAnalysisText(shape), makeAnalysisText(other));
}

char unscramble(char byte) {
    auto b = static_cast<unsigned char>(byte);
    return static_cast<char>(255 - (((b * 16) % 256) + (b / 16)));
}

TEST(DemoDataFile, HeaderCountsRecordsAndBlocksUnscrambleToTheText) {
    struct Case {
        std::size_t textSize;
        std::size_t records;
    };
    for (Case c : {Case{0, 0}, Case{1, 1}, Case{4096, 1}, Case{4097, 2}, Case{10000, 3}}) {
        std::string text(c.textSize, 'a');
        for (std::size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<char>(i % 256);
        std::string file = makeDataFile(text, 19000);
        ASSERT_EQ(file.size(), 4096 * (c.records + 1)) << c.textSize;
        EXPECT_EQ(std::uint8_t(file[0]) | std::uint8_t(file[1]) << 8, int(c.records));
        EXPECT_EQ(std::uint8_t(file[2]) | std::uint8_t(file[3]) << 8, 19000);
        EXPECT_EQ(file.find_first_not_of('\0', 4), c.records ? 4096u : std::string::npos);
        std::string decoded;
        for (std::size_t i = 4096; i < file.size(); ++i)
            decoded += unscramble(file[i]);
        EXPECT_EQ(decoded.substr(0, text.size()), text);
        EXPECT_EQ(decoded.find_first_not_of(' ', text.size()), std::string::npos);
    }
}

TEST(DemoDataFile, TextBeyondTheRecordCountIsRefused) {
    std::string text(std::size_t{4096} * 65536, 'x');
    EXPECT_THROW(makeDataFile(text, 0), AnalysisError);
}

} // namespace
} // namespace analysis::demo
