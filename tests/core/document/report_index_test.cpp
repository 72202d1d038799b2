#include "core/common/io_error.h"
#include "core/document/report_files.h"
#include "core/document/report_index.h"
#include "core/document/report_list.h"
#include "file_size_limit.h"
#include "report_fixture.h"
#include "support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace analysis {
namespace {

using analysis::testing::FileSizeLimit;
using ::testing::ElementsAre;
using namespace analysis::testing;

std::vector<std::string> folderEntries(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

const std::string EReport =
    crlf({separator("E01Kee"), "E header", boxTop(), performance("p1"), spacer(), performance("p2"),
          spacer(), performance("p3"), spacer(), performance("p4"), performance("p5"), boxBottom(),
          "after box", boxTop(), performance("q1"), boxBottom()});

TEST(ReportCode, OfSeparatorLines) {
    struct Case {
        std::string line, code;
    };
    const Case cases[] = {
        {"\f  @A01Kee  Keeneland", "A01Kee"},
        {"\2@B01Aqu", "B01Aqu"},
        {"  @A01Kee no form feed", ""},
        {"\f  no at sign", ""},
        {"\f  @ A01Kee", ""},                    // "@" and a blank start nothing
        {"\f @X01Kee @A01Kee", "X01Kee"},        // the first "@" counts
        {"\f@E01Kee\tx", "E01Kee"},              // any byte up to 32 ends the code
        {"\f@E01Kee\xC4\xC4", "E01Kee\xC4\xC4"}, // bytes above 127 belong to it
        {"\f@A01KeeABCDEFGHIJKLM", "A01KeeABCDEFGHI"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(reportCodeOf(c.line), c.code) << c.line;
}

TEST(ReportCode, UnsafeCodesAreRefused) {
    for (const char* code :
         {".", "..", "a/b", "/", "Analysis.TXT", "analysis.txt", "ANALYSIS.PRN", "Analysis.PCL",
          "Analysis.TMP", "simodump.lst", "exec", "DATA", "Help", "archive"}) {
        try {
            workingFile("/install", code);
            FAIL() << code;
        } catch (const UnsafeReportCode& error) {
            EXPECT_EQ(error.code(), code);
            EXPECT_NE(std::string(error.what()).find(code), std::string::npos);
        }
        EXPECT_THROW(twinFile("/install", code), UnsafeReportCode) << code;
    }
    EXPECT_EQ(twinFile("/install", "E01Kee"), "/install/E01Kee ~");
    EXPECT_EQ(workingFile("/install", "Analysis.TX"), "/install/Analysis.TX");
}

TEST(ReportIndex, SplitWritesWorkingFileAndTwinOfEachReport) {
    TempDir dir;
    const std::string a = crlf({separator("A01Kee"), "a line", "\f no code: same report"});
    const std::string b = crlf({separator("B01Aqu"), "b line"});
    dir.write("Analysis.TXT", "before the first report\r\n" + a + b);

    EXPECT_THAT(SplitAnalysis(dir.path()), ElementsAre("A01Kee", "B01Aqu"));
    EXPECT_EQ(dir.read("A01Kee"), a);
    EXPECT_EQ(dir.read("A01Kee ~"), a);
    EXPECT_EQ(dir.read("B01Aqu"), b);
    EXPECT_EQ(dir.read("B01Aqu ~"), b);
}

TEST(ReportIndex, SplitWritesCrLfWhateverTheLineEnds) {
    TempDir dir;
    dir.write("Analysis.TXT", separator("A01Kee") + "\nlf\rcr\r\nlast");
    SplitAnalysis(dir.path());
    EXPECT_EQ(dir.read("A01Kee"), crlf({separator("A01Kee"), "lf", "cr", "last"}));
}

TEST(ReportIndex, CutEndsEveryLineWithCrLfWhereverItStands) {
    struct Case {
        std::string text;
        std::vector<std::pair<std::string, std::string>> reports;
    };
    const std::vector<Case> cases = {
        // Line ends changing inside a report, and the last line without one.
        {"\f@A01Kee\r\na\r\nb\nc\rd\r\n\f@B01Aqu\r\ne",
         {{"A01Kee", "\f@A01Kee\r\na\r\nb\r\nc\r\nd\r\n"}, {"B01Aqu", "\f@B01Aqu\r\ne\r\n"}}},
        // A report met again continues its first part; the preamble belongs to none.
        {"pre\r\n\f@A01Kee\r\na\r\n\f@B01Aqu\r\nb\r\n\f@A01Kee\r\nc\r\n",
         {{"A01Kee", "\f@A01Kee\r\na\r\n\f@A01Kee\r\nc\r\n"}, {"B01Aqu", "\f@B01Aqu\r\nb\r\n"}}},
        // A CR on its own ends a line, and the CR LF after it ends an empty one.
        {"\f@A01Kee\r\r\nx\n\n", {{"A01Kee", "\f@A01Kee\r\n\r\nx\r\n\r\n"}}},
    };
    for (const Case& each : cases) {
        std::vector<std::pair<std::string, std::string>> cut;
        for (CutReport& report : cutReports(each.text))
            cut.emplace_back(std::move(report.code), std::move(report.lines));
        EXPECT_EQ(cut, each.reports) << each.text;
    }
}

TEST(ReportIndex, NoReportGivesAnEmptyIndex) {
    TempDir dir;
    dir.write("Analysis.TXT", "just text\r\n\f\r\n");
    EXPECT_TRUE(SplitAnalysis(dir.path()).empty());
    EXPECT_THAT(folderEntries(dir), ElementsAre("Analysis.TXT"));
}

TEST(ReportIndex, RoundTripGivesBackTheReports) {
    TempDir dir;
    const std::string reports =
        crlf({separator("B01Aqu"), "b"}) + EReport + crlf({separator("A01Kee"), "a"}) +
        crlf({separator("X01Kee"), "x"}) + crlf({separator("Z01Kee"), "other kind"}) +
        crlf({separator("AB"), "short code"}) + crlf({separator("E0~Kee"), "tilde code"});
    dir.write("Analysis.TXT", "preamble\r\n" + reports);

    const std::vector<std::string> index = SplitAnalysis(dir.path());
    ListSettings settings{"ABEXZ", "@ABCDEFGHIJKLMNOPQRSTUVWXYZ", 3, true};
    BuildReportList(dir.path(), index, settings);
    EXPECT_NE(dir.read("E01Kee"), dir.read("E01Kee ~")); // re-cut for the list
    RejoinAnalysis(dir.path(), index);

    EXPECT_EQ(dir.read("Analysis.TXT"), reports);
    EXPECT_THAT(folderEntries(dir), ElementsAre("Analysis.TXT"));
}

TEST(ReportIndex, CodesOfTheTextAreTheSplitsIndexWithNothingWritten) {
    TempDir dir;
    const std::string text = "preamble\r\n" + crlf({separator("B01Aqu"), "b"}) + EReport +
                             crlf({separator("A01KeeAVeryLongCodeIndeed"), "a"}) +
                             crlf({separator("B01Aqu"), "again"}) + "\f no code\rlone\n" +
                             crlf({separator("X01Kee"), "x"});
    dir.write("Analysis.TXT", text);
    const std::vector<std::string> codes = reportCodesOf(text);
    EXPECT_THAT(codes, ElementsAre("B01Aqu", "E01Kee", "A01KeeAVeryLong", "X01Kee"));
    EXPECT_THAT(folderEntries(dir), ElementsAre("Analysis.TXT"));
    EXPECT_EQ(codes, SplitAnalysis(dir.path()));
    EXPECT_TRUE(reportCodesOf("no report\r\n").empty());
    EXPECT_THROW(reportCodesOf(crlf({separator("A01Kee"), separator("..")})), UnsafeReportCode);
}

TEST(ReportIndex, UnsafeCodeStopsTheSplitBeforeAnyFileIsWritten) {
    for (const char* code : {"..", "Analysis.TXT", "exec"}) {
        TempDir dir;
        const std::string text = crlf({separator("A01Kee"), "a", separator(code), "evil"});
        dir.write("Analysis.TXT", text);
        EXPECT_THROW(SplitAnalysis(dir.path()), UnsafeReportCode) << code;
        EXPECT_THAT(folderEntries(dir), ElementsAre("Analysis.TXT"));
        EXPECT_EQ(dir.read("Analysis.TXT"), text);
    }
    TempDir dir;
    dir.write("Analysis.TXT", crlf({separator("a/../../x"), "evil"}));
    EXPECT_THROW(SplitAnalysis(dir.path()), UnsafeReportCode);
}

TEST(ReportIndex, FailedSplitRemovesTheFilesItWrote) {
    TempDir dir;
    dir.write("Analysis.TXT", crlf({separator("A01Kee"), "a", separator("B01Kee"), "b"}));
    std::filesystem::create_directory(dir / "B01Kee ~"); // the twin cannot be created
    EXPECT_THROW(SplitAnalysis(dir.path()), IoError);
    EXPECT_THAT(folderEntries(dir), ElementsAre("Analysis.TXT", "B01Kee ~"));
}

TEST(ReportIndex, LongCodesNameTheirFilesByTheCutCode) {
    TempDir dir;
    const std::string report = crlf({separator("A01KeeAVeryLongCodeIndeed"), "a"});
    dir.write("Analysis.TXT", report);
    const std::vector<std::string> index = SplitAnalysis(dir.path());
    EXPECT_THAT(index, ElementsAre("A01KeeAVeryLong"));
    EXPECT_EQ(dir.read("A01KeeAVeryLong"), report);
    RejoinAnalysis(dir.path(), index);
    EXPECT_EQ(dir.read("Analysis.TXT"), report);
}

TEST(ReportIndex, RepeatedCodeJoinsTheFirstReport) {
    TempDir dir;
    const std::string first = crlf({separator("A01Kee"), "first"});
    const std::string other = crlf({separator("B01Aqu"), "other"});
    const std::string again = crlf({separator("A01Kee"), "again"});
    dir.write("Analysis.TXT", first + other + again);
    const std::vector<std::string> index = SplitAnalysis(dir.path());
    EXPECT_THAT(index, ElementsAre("A01Kee", "B01Aqu"));
    EXPECT_EQ(dir.read("A01Kee"), first + again);
    RejoinAnalysis(dir.path(), index);
    EXPECT_EQ(dir.read("Analysis.TXT"), first + again + other);
}

TEST(ReportIndex, TrimKeepsLimitPerformancesPerHorse) {
    TempDir dir;
    dir.write("E01Kee ~", EReport);
    dir.write("E01Kee", "stale");
    TrimEReport(dir.path(), "E01Kee", 3);
    EXPECT_EQ(dir.read("E01Kee"),
              crlf({separator("E01Kee"), "E header", boxTop(), performance("p1"), spacer(),
                    performance("p2"), spacer(), performance("p3"), boxBottom(), "after box",
                    boxTop(), performance("q1"), boxBottom()}));
    EXPECT_EQ(dir.read("E01Kee ~"), EReport);
}

TEST(ReportIndex, TrimClampsTheLimitAndCutsLongLines) {
    TempDir dir;
    const std::string longLine(200, 'w');
    dir.write("E01Kee ~", crlf({boxTop(), performance("p1"), spacer(), performance("p2"),
                                boxBottom(), longLine}));
    TrimEReport(dir.path(), "E01Kee", 0);
    EXPECT_EQ(dir.read("E01Kee"),
              crlf({boxTop(), performance("p1"), boxBottom(), std::string(127, 'w')}));
    TrimEReport(dir.path(), "E01Kee", 99);
    EXPECT_EQ(dir.read("E01Kee"), crlf({boxTop(), performance("p1"), spacer(), performance("p2"),
                                        boxBottom(), std::string(127, 'w')}));
    EXPECT_THROW(TrimEReport(dir.path(), "E02Kee", 3), IoError);
}

TEST(ReportIndex, RejoinTakesTheOtherFileWhenOneIsMissing) {
    TempDir dir;
    dir.write("Analysis.TXT", "old");
    dir.write("A01Kee ~", "twin of A\r\n");
    dir.write("E01Kee", "trimmed E\r\n");
    const std::vector<std::string> index = {"A01Kee", "E01Kee", "B01Kee"};
    RejoinAnalysis(dir.path(), index);
    EXPECT_EQ(dir.read("Analysis.TXT"), "twin of A\r\ntrimmed E\r\n");
    EXPECT_THAT(folderEntries(dir), ElementsAre("Analysis.TXT"));
}

TEST(ReportIndex, RejoinWithoutAnalysisTextDoesNothing) {
    TempDir dir;
    dir.write("A01Kee", "a\r\n");
    dir.write("A01Kee ~", "a\r\n");
    const std::vector<std::string> index = {"A01Kee"};
    RejoinAnalysis(dir.path(), index);
    EXPECT_THAT(folderEntries(dir), ElementsAre("A01Kee", "A01Kee ~"));
}

TEST(ReportIndex, SplitRefusesALinkNamedLikeAReportFile) {
    for (const char* planted : {"B01Kee", "B01Kee ~"}) {
        TempDir dir;
        TempDir elsewhere;
        const auto target = elsewhere.write("target", "theirs");
        dir.write("Analysis.TXT", crlf({separator("A01Kee"), "a", separator("B01Kee"), "b"}));
        std::filesystem::create_symlink(target, dir / planted);
        std::filesystem::create_symlink(elsewhere / "dangling", dir / "A01Kee");
        try {
            SplitAnalysis(dir.path());
            FAIL() << "split wrote through " << planted;
        } catch (const IoError& error) {
            EXPECT_NE(std::string(error.what()).find("A01Kee"), std::string::npos) << error.what();
        }
        EXPECT_EQ(elsewhere.read("target"), "theirs");
        EXPECT_FALSE(std::filesystem::exists(elsewhere / "dangling"));
        std::filesystem::remove(dir / "A01Kee");
        try {
            SplitAnalysis(dir.path());
            FAIL() << "split wrote through " << planted;
        } catch (const IoError& error) {
            EXPECT_NE(std::string(error.what()).find((dir / planted).string()), std::string::npos)
                << error.what();
        }
        EXPECT_EQ(elsewhere.read("target"), "theirs");
        // The failed split takes back what it wrote and leaves the link alone.
        EXPECT_THAT(folderEntries(dir), ElementsAre("Analysis.TXT", planted));
    }
}

TEST(ReportIndex, RejoinFindingNoReportFileKeepsTheText) {
    // Another writer already joined the day and deleted its files: replacing the text with
    // what is left (nothing) would lose the day.
    TempDir dir;
    dir.write("Analysis.TXT", "the day\r\n");
    const std::vector<std::string> index = {"A01Kee", "E01Kee"};
    EXPECT_EQ(RejoinAnalysis(dir.path(), index), RejoinOutcome::ReportFilesMissing);
    EXPECT_EQ(dir.read("Analysis.TXT"), "the day\r\n");
    EXPECT_THAT(folderEntries(dir), ElementsAre("Analysis.TXT"));

    const std::vector<std::string> nothing;
    EXPECT_EQ(RejoinAnalysis(dir.path(), nothing), RejoinOutcome::NothingSplit);
    EXPECT_EQ(dir.read("Analysis.TXT"), "the day\r\n");

    dir.write("E01Kee ~", "E\r\n");
    EXPECT_EQ(RejoinAnalysis(dir.path(), index), RejoinOutcome::Joined);
    EXPECT_EQ(dir.read("Analysis.TXT"), "E\r\n");
}

TEST(ReportIndex, FailedRejoinKeepsTheOldTextAndTheReportFiles) {
    TempDir dir;
    dir.write("Analysis.TXT", "old");
    const std::string big(5000, 'a');
    dir.write("A01Kee", big);
    dir.write("A01Kee ~", big);
    dir.write("B01Kee", big);
    dir.write("B01Kee ~", big);
    const std::vector<std::string> index = {"A01Kee", "B01Kee"};
    {
        FileSizeLimit limit(8000);
        EXPECT_THROW(RejoinAnalysis(dir.path(), index), IoError);
    }
    EXPECT_EQ(dir.read("Analysis.TXT"), "old");
    EXPECT_THAT(folderEntries(dir),
                ElementsAre("A01Kee", "A01Kee ~", "Analysis.TXT", "B01Kee", "B01Kee ~"));
}

} // namespace
} // namespace analysis
