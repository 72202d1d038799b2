// Finding a text in reports: where each hit is, case and code page 437 letters, line ends,
// races, and the day's report files in the order of the text.
#include "core/tools/report_search.h"

#include "core/document/report_index.h"
#include "core/document/report_list.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace analysis {
namespace {

using testing::TempDir;

/// What a hit says, without the code, in a form a table can hold.
struct Place {
    int line;
    std::size_t column;
    std::size_t offset;
    std::string lineText;
    int race = 0;

    friend bool operator==(const Place&, const Place&) = default;
};

std::ostream& operator<<(std::ostream& out, const Place& place) {
    return out << "{line " << place.line << ", column " << place.column << ", offset "
               << place.offset << ", race " << place.race << ", \"" << place.lineText << "\"}";
}

std::vector<Place> placesOf(std::string_view text, bool caseSensitive, std::string_view bytes) {
    std::vector<Place> places;
    ReportSearch(text, caseSensitive).searchReport("A01Kee", bytes, [&](const ReportHit& hit) {
        EXPECT_EQ(hit.code, "A01Kee");
        EXPECT_EQ(hit.length, text.size());
        EXPECT_EQ(bytes.substr(hit.offset - hit.column, hit.lineText.size()), hit.lineText);
        places.push_back({hit.line, hit.column, hit.offset, hit.lineText, hit.race});
        return true;
    });
    return places;
}

TEST(ReportSearch, FindsEveryPlaceInAReport) {
    const std::string card = "\f@A01Kee\r\n"
                             "  Kee  Race 1   10.0f Dirt\r\n"
                             " 1 COPPER TALE  beat Copper Sonnet\r\n"
                             "\r\n"
                             "  Kee  Race 12  6.5f\r\n"
                             " 4 copper canyon\r\n";
    struct Case {
        const char* what;
        std::string text;
        bool caseSensitive;
        std::string bytes;
        std::vector<Place> places;
    };
    const Case cases[] = {
        {"either case, two hits in one line, races as headed",
         "copper",
         false,
         card,
         {{3, 3, 41, " 1 COPPER TALE  beat Copper Sonnet", 1},
          {3, 21, 59, " 1 COPPER TALE  beat Copper Sonnet", 1},
          {6, 3, 101, " 4 copper canyon", 12}}},
        {"case heeded",
         "Copper",
         true,
         card,
         {{3, 21, 59, " 1 COPPER TALE  beat Copper Sonnet", 1}}},
        {"the race heading itself belongs to its race",
         "race 12",
         false,
         card,
         {{5, 7, 83, "  Kee  Race 12  6.5f", 12}}},
        {"above the first heading there is no race",
         "@a01",
         false,
         card,
         {{1, 1, 1, "\f@A01Kee", 0}}},
        {"matches do not overlap",
         "aa",
         false,
         "aaaaa\r\n",
         {{1, 0, 0, "aaaaa"}, {1, 2, 2, "aaaaa"}}},
        {"code page 437 capitals match their small letters",
         "\x84rger \x82t\xED",
         false,
         "x\r\n\x8E"
         "RGER \x90T\xE8!\r\n",
         {{2, 0, 3,
           "\x8E"
           "RGER \x90T\xE8!"}}},
        {"...but not when case is heeded", "\x84rger", true, "\x8Erger\r\n", {}},
        {"box drawing is found as it stands",
         "\xB3 7",
         false,
         "\xDA\xC4\xC4\r\n\xB3 7 \xB3 7\r\n",
         {{2, 0, 5, "\xB3 7 \xB3 7"}, {2, 4, 9, "\xB3 7 \xB3 7"}}},
        {"lone CR and lone LF end lines too",
         "x",
         false,
         "a\rb\nx\r\n\r\nx",
         {{3, 0, 4, "x"}, {5, 0, 9, "x"}}},
        {"a text never found", "Sonnets", false, card, {}},
        {"an empty text finds nothing", "", false, card, {}},
        {"a match never runs over a line end", "Dirt\r\n 1", false, card, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(placesOf(c.text, c.caseSensitive, c.bytes), c.places) << c.what;
}

TEST(ReportSearch, StopsWhereTheSinkSays) {
    int calls = 0;
    const bool finished =
        ReportSearch("a", false).searchReport("A01Kee", "a a\r\na\r\n", [&](const ReportHit&) {
            return ++calls < 2;
        });
    EXPECT_FALSE(finished);
    EXPECT_EQ(calls, 2);
}

TEST(ReportSearch, ReadsTheDaysWorkingFilesInTheOrderOfTheText) {
    TempDir dir;
    const std::string text = "banner COPPER\r\n"
                             "\f@B01Kee01\r\n copper in B\r\n"
                             "\f@A01Aqu\r\n no hit\r\n"
                             "\f@E01Kee01\r\n\xDA\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC4\xC2\xC4\xC4\xC4"
                             "\xC4\xC4\xC4\xC4\r\n"
                             "\f@A01Kee\r\n copper one\r\n Copper two\r\n"
                             "\f@A01Tam\r\n copper gone\r\n";
    dir.write("Analysis.TXT", text);
    const std::vector<std::string> index = SplitAnalysis(dir.path());
    // A working file edited since the split is searched as it stands now, its twin never; a
    // report whose working file is gone is passed over.
    dir.write("A01Aqu", "\f@A01Aqu\r\n copper edited in\r\n");
    dir.write("A01Kee ~", "\f@A01Kee\r\n copper only in the twin\r\n");
    std::filesystem::remove(dir / "A01Tam");

    std::vector<std::string> found;
    searchReportFiles(dir.path(), index, ReportSearch("COPPER", false), [&](const ReportHit& hit) {
        found.push_back(hit.code + " " + std::to_string(hit.line) + " " + hit.lineText);
        return true;
    });
    const std::vector<std::string> expected = {"B01Kee01 2  copper in B",
                                               "A01Aqu 2  copper edited in", "A01Kee 2  copper one",
                                               "A01Kee 3  Copper two"};
    EXPECT_EQ(found, expected);

    std::vector<std::string> first;
    searchReportFiles(dir.path(), index, ReportSearch("copper", true), [&](const ReportHit& hit) {
        first.push_back(hit.code);
        return false;
    });
    EXPECT_EQ(first, std::vector<std::string>{"B01Kee01"});
}

} // namespace
} // namespace analysis
