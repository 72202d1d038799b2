// Loading an archive as the day's analysis, and keeping the day when that fails.
#include "core/common/io_error.h"
#include "core/day/archive_load.h"
#include "core/document/file_size_limit.h"
#include "core/document/report_files.h"
#include "core/document/report_fixture.h"
#include "core/document/report_index.h"
#include "core/document/report_list.h"
#include "core/tools/archive.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

using namespace analysis::testing;
namespace fs = std::filesystem;

std::string eReport(const std::string& code, int performances) {
    std::vector<std::string> lines{separator(code), boxTop()};
    for (int i = 0; i < performances; ++i)
        lines.push_back(performance("p" + std::to_string(i)));
    lines.push_back(boxBottom());
    return crlf(lines);
}

std::string report(const std::string& code, const std::string& line = "a line") {
    return crlf({separator(code), line});
}

int performanceLines(const std::string& text) {
    int count = 0;
    for (std::size_t at = text.find("\r\n"), from = 0; at != std::string::npos;
         from = at + 2, at = text.find("\r\n", from)) {
        const std::string line = text.substr(from, at - from);
        count += line.size() >= 64 && line[41] == '\xB3' && line[63] == '\xB3';
    }
    return count;
}

std::vector<std::string> listedReports(const ReportList& list) {
    std::vector<std::string> reports;
    for (const std::string& item : list.items)
        if (!item.empty())
            reports.push_back(item);
    return reports;
}

const std::string Day = eReport("E01Kee", 5) + report("A01Kee") + report("X01Kee") +
                        report("A02Aqu") + report("B01Aqu");
// Some reports of another day: an X report without its A report is never listed.
const std::string PartialArchive =
    eReport("E05Sar", 5) + report("A05Sar") + report("X05Sar") + report("X06Bel");

class ArchiveLoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("SimoDump.LST", "schedule line\r\n");
        fs::create_directory(dir / "Archive");
        dir.write("Analysis.TXT", Day);
        index = SplitAnalysis(dir.path());
        list = BuildReportList(dir.path(), *index, settings);
    }

    ArchiveLoad load(std::string_view name) {
        return loadArchive(dir.path(), name, index, list, settings);
    }

    /// The day as the split left it: the text and every report's files.
    void expectTheDayUntouched() {
        EXPECT_EQ(dir.read("Analysis.TXT"), Day);
        for (const std::string& code : *index) {
            EXPECT_TRUE(fs::exists(workingFile(dir.path(), code))) << code;
            EXPECT_TRUE(fs::exists(twinFile(dir.path(), code))) << code;
        }
    }

    TempDir dir;
    ListSettings settings{"AXE", "@ABCDEFGHIJKLMNOPQRSTUVWXYZ", 3, false};
    std::optional<std::vector<std::string>> index;
    ReportList list;
};

TEST_F(ArchiveLoadTest, PartialArchiveListsOnlyItsReports) {
    dir.write("Archive/SARA.TXT", PartialArchive);
    const ArchiveLoad outcome = load("SARA.TXT");
    ASSERT_EQ(outcome.status, ArchiveLoad::Status::Loaded) << outcome.message;
    ASSERT_TRUE(outcome.day && outcome.day->ReportIndex);
    EXPECT_EQ(*outcome.day->ReportIndex,
              (std::vector<std::string>{"E05Sar", "A05Sar", "X05Sar", "X06Bel"}));
    EXPECT_EQ(outcome.day->ScheduleLines, std::vector<std::string>{"schedule line"});

    const ReportList& loaded = outcome.day->list;
    EXPECT_EQ(listedReports(loaded), (std::vector<std::string>{"E05Sar", "A05Sar", "X05Sar"}));
    for (std::size_t i = 0; i < loaded.items.size(); ++i)
        EXPECT_EQ(loaded.ticked[i], !loaded.items[i].empty() && loaded.items[i][0] != 'X') << i;
    EXPECT_EQ(loaded.selected, 0);

    EXPECT_EQ(dir.read("Analysis.TXT"), PartialArchive);
    // Cut to the limit although the list settings asked for no re-cut.
    EXPECT_EQ(performanceLines(dir.read("E05Sar")), 3);
    EXPECT_EQ(performanceLines(dir.read(twinFile(dir.path(), "E05Sar"))), 5);
    for (const std::string& code : *index) {
        EXPECT_FALSE(fs::exists(workingFile(dir.path(), code))) << code;
        EXPECT_FALSE(fs::exists(twinFile(dir.path(), code))) << code;
    }
}

TEST_F(ArchiveLoadTest, AnArchiveWithoutAReportOrAFolderIsRefusedAndTheDayKept) {
    // Loading one would leave the day with no report: a garbage file, a file of NULs, an empty
    // archive (saved with nothing ticked), lines that start no report.
    std::string garbage(5000, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 131) % 251);
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"GARBAGE", garbage},
        {"NULS", std::string(5000, '\0')},
        {"EMPTY", ""},
        {"NOTES.TXT", "Notes\r\n\f no code\r\n@\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write(fs::path("Archive") / c.name, c.bytes);
        try {
            (void)load(c.name);
            ADD_FAILURE() << "no error raised";
        } catch (const ArchiveRefused& error) {
            EXPECT_EQ(error.archive(), dir / "Archive" / c.name);
            EXPECT_NE(std::string(error.what()).find((dir / "Archive" / c.name).string()),
                      std::string::npos);
            EXPECT_NE(std::string(error.what()).find("holds no report"), std::string::npos)
                << error.what();
        }
        expectTheDayUntouched();
    }

    fs::create_directory(dir / "Archive" / "DAY.TXT");
    try {
        (void)load("DAY.TXT");
        FAIL() << "no error raised";
    } catch (const ArchiveRefused& error) {
        EXPECT_EQ(std::string(error.what())
                      .find("The archive " + (dir / "Archive/DAY.TXT").string() +
                            " is a folder, not an archive file"),
                  0u)
            << error.what();
    }
    expectTheDayUntouched();
}

TEST_F(ArchiveLoadTest, WithoutADayTheArchiveBecomesIt) {
    fs::remove(dir / "Analysis.TXT");
    index.reset();
    list = {};
    dir.write("Archive/SARA.TXT", PartialArchive);
    const ArchiveLoad outcome = load("SARA.TXT");
    ASSERT_EQ(outcome.status, ArchiveLoad::Status::Loaded) << outcome.message;
    EXPECT_EQ(dir.read("Analysis.TXT"), PartialArchive);
    EXPECT_EQ(listedReports(outcome.day->list).size(), 3u);
}

TEST_F(ArchiveLoadTest, RefusedBeforeAnythingChanges) {
    dir.write("Archive/UNSAFE", report("A05Sar") + report("../A05Sar"));

    const ArchiveLoad missing = load("NONE.TXT");
    EXPECT_EQ(missing.status, ArchiveLoad::Status::NotFound);
    EXPECT_FALSE(missing.day);
    EXPECT_NE(missing.message.find("no archive named \"NONE.TXT\""), std::string::npos)
        << missing.message;
    EXPECT_THROW((void)load("A.B.C"), InvalidArchiveName);
    EXPECT_THROW((void)load("UNSAFE"), UnsafeReportCode);
    fs::remove(dir / "SimoDump.LST");
    dir.write("Archive/SARA.TXT", PartialArchive);
    EXPECT_THROW((void)load("SARA.TXT"), IoError);
    expectTheDayUntouched();

    fs::remove_all(dir / "Archive");
    try {
        (void)load("SARA.TXT");
        FAIL();
    } catch (const IoError& error) {
        EXPECT_EQ(error.reason(), "Folder not found");
        EXPECT_EQ(error.path(), dir / "Archive");
    }
    EXPECT_FALSE(fs::exists(dir / "Archive"));
    expectTheDayUntouched();
}

TEST_F(ArchiveLoadTest, FailedRestoreKeepsTheDay) {
    // The user's work on the day: a scratch edit and a tick taken off.
    dir.write("A01Kee", report("A01Kee", "edited line"));
    const std::size_t a01 = static_cast<std::size_t>(
        std::find(list.items.begin(), list.items.end(), "A01Kee") - list.items.begin());
    list.ticked[a01] = false;
    // An archive too big for the disk, while the day's text still fits.
    dir.write("Archive/BIG", report("A05Sar", std::string(60000, 'b')));
    ArchiveLoad outcome;
    {
        FileSizeLimit limit(30000);
        outcome = load("BIG");
    }
    ASSERT_EQ(outcome.status, ArchiveLoad::Status::Failed);
    EXPECT_NE(outcome.message.find("BIG"), std::string::npos) << outcome.message;
    EXPECT_NE(outcome.message.find("kept"), std::string::npos) << outcome.message;
    ASSERT_TRUE(outcome.day && outcome.day->ReportIndex);
    EXPECT_EQ(*outcome.day->ReportIndex, *index);
    EXPECT_EQ(outcome.day->list.items, list.items);
    EXPECT_EQ(outcome.day->list.ticked, list.ticked);

    const std::string text = dir.read("Analysis.TXT");
    EXPECT_NE(text.find("edited line"), std::string::npos);
    EXPECT_EQ(text.find(std::string(100, 'b')), std::string::npos);
    EXPECT_EQ(dir.read("A01Kee"), report("A01Kee", "edited line"));
    EXPECT_EQ(performanceLines(dir.read("E01Kee")), 3);
    for (const std::string& code : *index)
        EXPECT_TRUE(fs::exists(twinFile(dir.path(), code))) << code;
}

TEST_F(ArchiveLoadTest, FailedRejoinChangesNothing) {
    dir.write("Archive/SARA.TXT", PartialArchive);
    ArchiveLoad outcome;
    {
        FileSizeLimit limit(64);
        outcome = load("SARA.TXT");
    }
    ASSERT_EQ(outcome.status, ArchiveLoad::Status::Failed);
    EXPECT_FALSE(outcome.day);
    EXPECT_NE(outcome.message.find("Nothing was changed"), std::string::npos) << outcome.message;
    expectTheDayUntouched();
}

TEST_F(ArchiveLoadTest, ArchiveThatCannotBeCutStaysWholeAsTheText) {
    dir.write("Archive/SARA.TXT", PartialArchive);
    // A folder where a report file of the archive would go.
    fs::create_directory(dir / "A05Sar");
    const ArchiveLoad outcome = load("SARA.TXT");
    ASSERT_EQ(outcome.status, ArchiveLoad::Status::Failed);
    EXPECT_NE(outcome.message.find("is now the day's analysis"), std::string::npos)
        << outcome.message;
    // Nothing was cut, so closing must not join report files over the text.
    ASSERT_TRUE(outcome.day);
    EXPECT_FALSE(outcome.day->ReportIndex);
    EXPECT_TRUE(outcome.day->list.items.empty());
    EXPECT_EQ(dir.read("Analysis.TXT"), PartialArchive);
    EXPECT_FALSE(fs::exists(workingFile(dir.path(), "E05Sar")));
}

TEST(HiddenArchiveNotice, SaysWhatHidesAnArchiveThatListsNothing) {
    const ReportList empty{{"", ""}, {false, false}, -1};
    struct Case {
        const char* what;
        std::vector<std::string> index;
        std::string kinds;
        const char* expected; // a part of the notice; nullptr when there is none
    };
    const Case cases[] = {
        {"only B reports under AXE", {"B01Sar", "B02Sar"}, "AXE", "holds B reports"},
        {"the way to show them", {"B01Sar"}, "AXE", "Tick B under Options"},
        {"the kinds shown", {"B01Sar", "E01Sar"}, "AX", "show only A and X"},
        {"no kinds at all", {"A01Sar"}, "", "show no report kinds"},
        {"kinds shown, tracks not", {"A01Sar"}, "AXE", "track groups"},
        {"X reports need their A", {"X01Sar"}, "AXE", "beside their track's A report"},
        {"an archive without reports", {}, "AXE", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ListSettings settings{c.kinds, "@", 3, true};
        const std::optional<std::string> notice = hiddenArchiveNotice(c.index, empty, settings);
        if (c.expected == nullptr) {
            EXPECT_FALSE(notice) << *notice;
            continue;
        }
        ASSERT_TRUE(notice);
        EXPECT_NE(notice->find(c.expected), std::string::npos) << *notice;
        EXPECT_NE(notice->find(std::to_string(c.index.size()) + " reports"), std::string::npos)
            << *notice;
    }
    // One report listed is enough: nothing to say.
    const ReportList listed{{"B01Sar"}, {true}, 0};
    EXPECT_FALSE(hiddenArchiveNotice(std::vector<std::string>{"B01Sar", "B02Sar"}, listed,
                                     {"AXE", "@", 3, true}));
}

} // namespace
} // namespace analysis
