#include "resources/embedded_resources.h"

#include "core/common/io_error.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace analysis {
namespace {

// Lines split at CR LF; a text without a final CR LF still has its last line.
std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(EmbeddedResources, AAndXAreTheSamePage) {
    EXPECT_EQ(EmbeddedResource('A'), EmbeddedResource('X'));
}

TEST(EmbeddedResources, HelpPagesFollowThePageLayout) {
    struct Case {
        char name;
        const char* title;
        bool endsWithLineBreak;
    };
    for (Case c : {Case{'A', "    A-Report.HLP", true}, Case{'X', "    A-Report.HLP", true},
                   Case{'E', "    E-Report.HLP", false}, Case{'B', "    E-Report.HLP", false}}) {
        SCOPED_TRACE(c.name);
        std::string_view page = EmbeddedResource(c.name);
        EXPECT_EQ(page.ends_with("\r\n"), c.endsWithLineBreak);
        auto lines = linesOf(page);
        ASSERT_GT(lines.size(), 10u);
        EXPECT_EQ(lines[0], "");
        EXPECT_EQ(lines[1], c.title);
        EXPECT_EQ(lines[2], "");
        EXPECT_EQ(lines[3], "");
        EXPECT_NE(page.find("\xDA"), std::string_view::npos) << "box-drawing characters";
        // The page closes with the maker's boxed notice.
        EXPECT_NE(lines.back().find('\xC8'), std::string::npos) << lines.back();
        EXPECT_NE(std::string(page.substr(page.size() - 600)).find("QUILLMARSH"),
                  std::string::npos);
    }
}

TEST(EmbeddedResources, EveryTextUsesCrLfAndEightyColumns) {
    for (char name : {'A', 'X', 'E', 'B', 'Z'}) {
        SCOPED_TRACE(name);
        std::string_view text = EmbeddedResource(name);
        for (std::size_t i = 0; i < text.size(); ++i) {
            bool loneLf = text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
            bool loneCr = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
            ASSERT_FALSE(loneLf || loneCr) << "lone line end at byte " << i;
        }
        for (const auto& line : linesOf(text))
            EXPECT_LE(line.size(), 80u) << line;
    }
}

TEST(EmbeddedResources, ScheduleHasFiftySixRacesInPostTimeOrder) {
    std::string_view schedule = EmbeddedResource('Z');
    EXPECT_TRUE(schedule.ends_with("\r\n"));
    auto lines = linesOf(schedule);
    ASSERT_EQ(lines.size(), 56u);
    EXPECT_EQ(lines.front().substr(8, 5), " 1:00");
    EXPECT_EQ(lines.back().substr(8, 5), "10:44");
    std::map<std::string, int> races;
    int previousMinutes = 0;
    std::size_t aquAtTen = 0, gpxAtTen = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        ASSERT_EQ(line.size(), 40u) << line;
        EXPECT_EQ(line.substr(0, 8), "        ");
        EXPECT_EQ(line.substr(13, 3), " - ");
        EXPECT_EQ(line.substr(22, 3), "  -");
        EXPECT_EQ(line[28], '.');
        EXPECT_EQ(line.substr(30, 2), "f ");
        EXPECT_TRUE(line[32] == 'T' || line[32] == ' ');
        EXPECT_EQ(line.substr(33), "       ");
        int minutes = std::stoi(line.substr(8, 2)) * 60 + std::stoi(line.substr(11, 2));
        EXPECT_GE(minutes, previousMinutes) << line;
        previousMinutes = minutes;
        std::string track = line.substr(19, 3);
        EXPECT_EQ(std::stoi(line.substr(16, 2)), ++races[track]) << line;
        if (line.substr(8, 13) == " 3:50 -  6 Aq")
            aquAtTen = i;
        if (line.substr(8, 13) == " 3:50 -  6 GP")
            gpxAtTen = i;
    }
    EXPECT_EQ(
        races,
        (std::map<std::string, int>{
            {"Aqu", 8}, {"FGx", 8}, {"GPx", 8}, {"Kee", 8}, {"SAx", 8}, {"Tam", 8}, {"WOx", 8}}));
    EXPECT_GT(aquAtTen, 0u);
    EXPECT_EQ(gpxAtTen, aquAtTen + 1);
}

TEST(EmbeddedResources, UnknownNameIsRefused) {
    EXPECT_THROW(EmbeddedResource('Q'), AnalysisError);
}

TEST(EmbeddedResources, ExtractWritesTheBytesAndReplacesAnEditedFile) {
    testing::TempDir dir;
    dir.write("Help/E-Report.HLP", "edited by the user");
    ExtractResource('E', dir / "Help/E-Report.HLP");
    EXPECT_EQ(dir.read("Help/E-Report.HLP"), EmbeddedResource('E'));
}

TEST(EmbeddedResources, ExtractIntoAMissingFolderRaisesCannotCreateFile) {
    testing::TempDir dir;
    try {
        ExtractResource('A', dir / "Help/A-Report.HLP");
        FAIL() << "no error raised";
    } catch (const IoError& error) {
        EXPECT_EQ(error.reason(), "Cannot create file");
        EXPECT_EQ(error.path(), dir / "Help/A-Report.HLP");
    }
}

} // namespace
} // namespace analysis
