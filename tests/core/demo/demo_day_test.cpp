// The generated race day's text: its reports, their layouts and their dates.
#include "demo/demo_day.h"
#include "demo_reports.h"

#include "core/common/io_error.h"
#include "core/document/decoder.h"
#include "core/document/track_groups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace analysis::demo {
namespace {

using namespace reading;

const std::string HeaderRule = "\xC4\xC4\xC2\xC4\xC4\xC4\xC4\xC2\xC4";

bool isBlockHeader(const std::string& line) {
    return line.size() == 80 && line.compare(69, 9, HeaderRule) == 0;
}
bool isValueLine(const std::string& line) {
    return line.size() == 80 && line[71] == '.' && line[76] == '.';
}

/// The horse names of each race's value-line block in an A or X report, by race number.
std::map<int, std::vector<std::string>> valueBlocksOf(const Report& report) {
    std::map<int, std::vector<std::string>> blocks;
    int race = 0;
    for (const std::string& line : report.lines) {
        auto at = line.find("  Race ");
        if (line.find("ID: ") != std::string::npos && at != std::string::npos)
            race = std::stoi(line.substr(at + 7));
        else if (isValueLine(line))
            blocks[race].push_back(line.substr(3, line.find("  ", 3) - 3));
    }
    return blocks;
}

/// True for the line of a race information box that names race number at track.
bool namesRace(const std::string& line, int number, const std::string& track) {
    return line.size() >= 20 && line.starts_with("\xB3") && line.compare(9, 5, "Race ") == 0 &&
           std::stoi(line.substr(14, 2)) == number && line.compare(17, 3, track) == 0;
}

/// The date text of a race day number, from the decoder's calendar: "09Nov".
std::string dayAndMonth(int raceDay) {
    CalendarDate date = DayToDate(static_cast<std::uint16_t>(raceDay));
    return std::to_string(100 + date.day).substr(1) +
           std::string("JanFebMarAprMayJunJulAugSepOctNovDec").substr(3 * (date.month - 1), 3);
}

class DemoDayText : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        text_ = new std::string(makeAnalysisText(demoDay()));
        reports_ = new std::vector<Report>(reportsOf(*text_));
    }
    static void TearDownTestSuite() {
        delete reports_;
        delete text_;
    }
    static const std::string& text() { return *text_; }
    static const std::vector<Report>& reports() { return *reports_; }
    static const Report& report(const std::string& code) {
        static const Report none;
        for (const Report& r : reports())
            if (r.code == code)
                return r;
        ADD_FAILURE() << "no report " << code;
        return none;
    }

private:
    static inline std::string* text_ = nullptr;
    static inline std::vector<Report>* reports_ = nullptr;
};

TEST_F(DemoDayText, EachTrackHasItsCardReportsThenOneEAndOneBPerRace) {
    std::vector<std::string> banner;
    reportsOf(text(), &banner);
    EXPECT_GE(banner.size(), 2u);
    std::vector<std::string> codes;
    for (const Report& r : reports())
        codes.push_back(r.code);

    std::vector<std::string> expected;
    std::set<int> raceCounts;
    for (const std::string& track : demoDay().tracks) {
        int races = 0;
        while (std::find(codes.begin(), codes.end(),
                         "E01" + track + std::to_string(100 + races + 1).substr(1)) != codes.end())
            ++races;
        EXPECT_GE(races, 6) << track;
        EXPECT_LE(races, 12) << track;
        raceCounts.insert(races);
        expected.push_back("A01" + track);
        expected.push_back("X01" + track);
        for (char kind : {'E', 'B'})
            for (int race = 1; race <= races; ++race)
                expected.push_back(kind + ("01" + track) + std::to_string(100 + race).substr(1));
    }
    EXPECT_EQ(codes, expected);
    EXPECT_GT(raceCounts.size(), 2u) << "cards of one length all over the day";
    EXPECT_GT(text().size(), 500'000u);
    EXPECT_LT(text().size(), 2'000'000u);
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

TEST_F(DemoDayText, ReportsHaveTheLengthsOfOneRaceOrOneCard) {
    std::size_t over90 = 0, over120 = 0, shortest = SIZE_MAX;
    for (const Report& r : reports()) {
        over90 += r.lines.size() > 90;
        over120 += r.lines.size() > 120;
        shortest = std::min(shortest, r.lines.size());
        // A report of a race or a card fits the printed pages: at most 4 pages of 90 lines.
        EXPECT_LE(r.lines.size(), 360u) << r.code;
        if (r.code[0] == 'E') {
            auto boxes = horseBoxesOf(r);
            ASSERT_FALSE(boxes.empty()) << r.code;
            EXPECT_LE(r.lines.size() / boxes.size(), 25u) << r.code << ": lines per horse";
        }
    }
    EXPECT_GT(over90, over120);
    EXPECT_GT(over120, 0u);
    EXPECT_LT(shortest, 90u);
}

TEST_F(DemoDayText, ValueReportsCarryStampMarksAndRescalableBlocks) {
    for (const Report& r : reports()) {
        if (r.code[0] != 'A' && r.code[0] != 'X')
            continue;
        std::size_t ids = 0, blocks = 0;
        for (std::size_t i = 0; i < r.lines.size(); ++i) {
            const std::string& line = r.lines[i];
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
            while (i + 1 < r.lines.size() && isValueLine(r.lines[i + 1])) {
                EXPECT_EQ(r.lines[i + 1].find('!'), std::string::npos);
                ++values;
                ++i;
            }
            EXPECT_GE(values, 6u) << r.code;
            EXPECT_LE(values, 14u) << r.code;
            ASSERT_LT(i + 1, r.lines.size());
            EXPECT_FALSE(isBlockHeader(r.lines[i + 1]));
        }
        EXPECT_GT(blocks, 0u) << r.code;
        EXPECT_EQ(ids, blocks + 1) << r.code;
    }
}

TEST_F(DemoDayText, EveryRaceHasTheSameFieldInItsAEAndBReports) {
    std::size_t firstStarters = 0, spacers = 0;
    for (const std::string& track : demoDay().tracks) {
        auto card = valueBlocksOf(report("A01" + track));
        auto mainTrack = valueBlocksOf(report("X01" + track));
        ASSERT_FALSE(card.empty()) << track;
        for (const auto& [race, field] : card) {
            std::string number = std::to_string(100 + race).substr(1);
            const Report& e = report("E01" + track + number);
            const Report& b = report("B01" + track + number);

            // The information box names this race alone.
            for (const Report& r : {e, b}) {
                ASSERT_GT(r.lines.size(), 5u) << r.code;
                EXPECT_TRUE(namesRace(r.lines[4], race, track)) << r.code << ": " << r.lines[4];
                for (std::size_t i = 5; i < r.lines.size(); ++i)
                    EXPECT_FALSE(namesRace(r.lines[i], race, track)) << r.code << ": " << i;
            }

            std::vector<std::string> names;
            for (const HorseBox& box : horseBoxesOf(e)) {
                names.push_back(horseNameOf(box));
                EXPECT_LE(box.performances.size(), 14u);
                firstStarters += box.performances.empty();
                spacers += std::size_t(box.spacers);
            }
            EXPECT_EQ(names, field) << e.code << ": program order as in the A report";
            std::vector<std::string> ranked;
            for (const HorseBox& box : horseBoxesOf(b))
                ranked.push_back(horseNameOf(box));
            std::sort(names.begin(), names.end());
            std::sort(ranked.begin(), ranked.end());
            EXPECT_EQ(ranked, names) << b.code;

            // X repeats the A block of every dirt race and leaves out the turf races.
            bool turf = e.lines.size() > 3 && e.lines[4].find("Turf") != std::string::npos;
            EXPECT_EQ(mainTrack.count(race), turf ? 0u : 1u) << e.code;
            if (!turf) {
                EXPECT_EQ(mainTrack[race], field) << e.code;
            }
        }
    }
    EXPECT_GT(firstStarters, 0u) << "maiden races bring first starters";
    EXPECT_GT(spacers, 0u) << "layoff spacer lines give the trimming something to skip";
}

class DemoDayDates : public ::testing::TestWithParam<int> {};

TEST_P(DemoDayDates, EveryDateCountsBackFromTheRaceDay) {
    const int raceDay = GetParam();
    DayShape shape = demoDay();
    shape.tracks.resize(2);
    shape.raceDay = static_cast<std::uint16_t>(raceDay);
    std::vector<std::string> banner;
    auto reports = reportsOf(makeAnalysisText(shape), &banner);
    const std::string dayText = RaceDateText(shape.raceDay);
    EXPECT_NE(banner.front().find("Daily analysis " + dayText), std::string::npos);

    std::size_t performances = 0;
    for (const Report& r : reports) {
        EXPECT_TRUE(r.lines[1].ends_with("   " + dayText)) << r.code << ": " << r.lines[1];
        if (r.code[0] == 'E' || r.code[0] == 'B') {
            ASSERT_TRUE(namesRace(r.lines[4], raceOf(r.code), trackOf(r.code))) << r.code;
            EXPECT_EQ(r.lines[4].substr(2, 5), dayAndMonth(raceDay)) << r.code;
        }
        for (const HorseBox& box : horseBoxesOf(r)) {
            if (box.performances.empty()) {
                EXPECT_NE(box.header.find("debut"), std::string::npos) << box.header;
                continue;
            }
            // The header's days since the last race, then each line's days since the race
            // before it, lead from one performance date to the next.
            int day = raceDay - std::stoi(box.header.substr(1, 6));
            for (const std::string& line : box.performances) {
                ++performances;
                EXPECT_EQ(line.substr(5, 5), dayAndMonth(day)) << r.code << ": " << line;
                day -= std::stoi(line.substr(1, 3));
            }
        }
    }
    EXPECT_GT(performances, 100u);
}

INSTANTIATE_TEST_SUITE_P(RaceDays, DemoDayDates, ::testing::Values(SampleRaceDay, 9000, 65535));

TEST(DemoDay, RaceDayMovesTheDatesAndNothingElse) {
    DayShape shape{.tracks = {"Kee"}};
    DayShape later = shape;
    later.raceDay = shape.raceDay + 1;
    auto reports = reportsOf(makeAnalysisText(shape));
    auto laterReports = reportsOf(makeAnalysisText(later));
    ASSERT_EQ(reports.size(), laterReports.size());
    for (std::size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].code, laterReports[i].code);
        EXPECT_EQ(reports[i].lines.size(), laterReports[i].lines.size()) << reports[i].code;
    }
}

TEST(DemoDay, HeavyDayIsAThousandReportsOfGroupTracks) {
    const std::string text = makeAnalysisText(heavyDay());
    EXPECT_GT(text.size(), 18'000'000u);
    EXPECT_LT(text.size(), 22'000'000u);
    auto reports = reportsOf(text);
    EXPECT_GE(reports.size(), 950u);
    EXPECT_LE(reports.size(), 1024u) << "the report index holds 1024 codes";
    std::set<std::string> codes;
    std::size_t longest = 0;
    for (const Report& r : reports) {
        codes.insert(r.code);
        EXPECT_TRUE(isTrackSelected(trackOf(r.code), "ABCDEFGHIJKLMNOPQRSTUVWXY")) << r.code;
        longest = std::max(longest, r.lines.size());
    }
    EXPECT_EQ(codes.size(), reports.size());
    EXPECT_LE(longest, 360u) << "longer reports instead of more of them";
}

TEST(DemoDay, ATrackWithoutRacesStillHasItsCardReports) {
    DayShape shape{.tracks = {"Tam"}, .fewestRaces = 0, .mostRaces = 0};
    auto reports = reportsOf(makeAnalysisText(shape));
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].code, "A01Tam");
    EXPECT_EQ(reports[1].code, "X01Tam");
}

TEST(DemoDay, ShapesThatCannotMakeReportsAreRefused) {
    const DayShape good{.tracks = {"Kee"}};
    std::vector<DayShape> bad;
    for (const char* track : {"", "Aq", "Aqux"}) {
        bad.push_back(good);
        bad.back().tracks.push_back(track);
    }
    auto changed = [&](auto change) {
        DayShape shape = good;
        change(shape);
        bad.push_back(shape);
    };
    changed([](DayShape& s) { s.fewestRaces = 13; });      // fewest above most
    changed([](DayShape& s) { s.mostRaces = 100; });       // race numbers have two digits
    changed([](DayShape& s) { s.fewestHorses = -1; });     // no negative counts
    changed([](DayShape& s) { s.mostPerformances = 15; }); // trimming keeps at most 14
    for (const DayShape& shape : bad)
        EXPECT_THROW(makeAnalysisText(shape), AnalysisError);
    EXPECT_NO_THROW(makeAnalysisText(good));
}

TEST(DemoDay, SameShapeGivesSameTextAndSeedChangesIt) {
    DayShape shape{.tracks = {"Kee"}, .seed = 5};
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
