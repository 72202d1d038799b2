#include "core/day/day_session.h"

#include "day_installation.h"

#include "core/common/file_io.h"
#include "core/common/io_error.h"
#include "demo/demo_day.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace analysis {
namespace {

using Installation = testing::DayInstallation;

const char* TwoReports = "\x0c@A01Aqu\r\nA report\r\n\x0c@X01Aqu\r\nX report\r\n";

TEST(DaySession, FirstStartWithoutADayMakesTheSettingsAndListsNothing) {
    Installation install;
    DaySession session(install.setup());
    DayStart start = session.open();
    EXPECT_EQ(start.status, DayStart::Status::Opened) << start.message;
    EXPECT_TRUE(start.notices.empty());
    const Day& day = session.day();
    EXPECT_TRUE(day.raceDateText.empty());
    EXPECT_FALSE(day.haveText);
    EXPECT_TRUE(day.list.items.empty());
    EXPECT_FALSE(day.viewer);
    EXPECT_EQ(install.read(files::Settings),
              "0000\r\nAXE\r\n@ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n27\r\n");
    EXPECT_EQ(install.extracted, (std::vector<char>{'A', 'X', 'E', 'B', 'Z'}));
    EXPECT_TRUE(std::filesystem::exists(install.folders.InstallFolder / "Desktop" /
                                        "Quillmarsh ANALYSIS.desktop"));
    EXPECT_FALSE(session.close());
    EXPECT_FALSE(install.has(files::AnalysisText));
}

TEST(DaySession, TheLauncherStartsTheInstallationsProgramOrElseTheOneRunning) {
    for (const bool programInExec : {true, false}) {
        SCOPED_TRACE(programInExec ? "program in Exec" : "installed elsewhere");
        Installation install;
        const std::filesystem::path inExec = install.folders.file(files::Program);
        if (programInExec)
            install.profile.write(inExec, "program");
        DaySessionSetup setup = install.setup();
        setup.runningProgram = "/usr/bin/Analysis";
        DaySession session(std::move(setup));
        EXPECT_EQ(session.open().status, DayStart::Status::Opened);
        const std::string launcher = install.profile.read(
            install.folders.InstallFolder / "Desktop" / "Quillmarsh ANALYSIS.desktop");
        const std::string exec = programInExec ? inExec.string() : std::string("/usr/bin/Analysis");
        EXPECT_NE(launcher.find("Exec=\"" + exec + "\"\n"), std::string::npos) << launcher;
    }
}

TEST(DaySession, DataFileIsDecodedSplitListedAndJoinedBackAtClose) {
    Installation install;
    std::string text = demo::makeAnalysisText(demo::demoDay());
    install.profile.write(install.folders.file(files::DataFile), demo::makeDataFile(text, 0));
    DaySession session(install.setup());
    DayStart start = session.open();

    EXPECT_EQ(start.status, DayStart::Status::Opened) << start.message;
    EXPECT_TRUE(start.notices.empty());
    const Day& day = session.day();
    EXPECT_EQ(day.raceDateText, "Wed 28-Nov-1973");
    EXPECT_TRUE(day.haveText);
    ASSERT_FALSE(day.list.items.empty());
    EXPECT_EQ(day.ViewFile, install.folders.file(day.list.items.front()));
    for (std::size_t i = 0; i < day.list.items.size(); ++i) {
        if (day.list.items[i].starts_with("X")) {
            EXPECT_FALSE(day.list.ticked[i]) << day.list.items[i];
        }
    }
    ASSERT_TRUE(session.reportIndex());
    EXPECT_TRUE(install.has(session.reportIndex()->front()));

    std::string firstCode = session.reportIndex()->front();
    EXPECT_FALSE(session.close());
    EXPECT_FALSE(install.has(firstCode));
    EXPECT_NE(install.read(files::AnalysisText).find("@" + firstCode), std::string::npos);
}

TEST(DaySession, DataFileThatIsAFolderIsSaid) {
    Installation install;
    install.profile.write(install.folders.file(files::AnalysisText), TwoReports);
    std::filesystem::create_directories(install.folders.file(files::DataFile));
    DaySession session(install.setup());
    DayStart start = session.open();
    EXPECT_EQ(start.status, DayStart::Status::Opened) << start.message;
    ASSERT_EQ(start.notices.size(), 1u);
    EXPECT_NE(
        start.notices.front().find(install.folders.file(files::DataFile).string() + " is a folder"),
        std::string::npos)
        << start.notices.front();
    EXPECT_NE(start.notices.front().find("left from before"), std::string::npos);
    EXPECT_TRUE(session.day().raceDateText.empty());
    EXPECT_FALSE(session.day().list.items.empty()); // the earlier text is still there to be seen
}

TEST(DaySession, FirstFailureEndsStartUpAsTheLastMessage) {
    Installation install;
    install.profile.write(install.folders.file(files::AnalysisText), TwoReports);
    DaySessionSetup setup = install.setup();
    setup.extractResource = [](char, const std::filesystem::path& file) {
        throw IoError("File not found", file);
    };
    DaySession session(std::move(setup));
    DayStart start = session.open();
    ASSERT_EQ(start.status, DayStart::Status::Stopped);
    EXPECT_TRUE(start.notices.empty());
    EXPECT_NE(start.message.find("Help"), std::string::npos) << start.message;
    EXPECT_TRUE(session.day().haveText);
    EXPECT_TRUE(session.day().list.items.empty()); // the split came after the failure
    EXPECT_FALSE(install.has("A01Aqu"));
    // The settings were made before the failure, so closing keeps them.
    std::filesystem::remove(install.folders.file(files::Settings));
    EXPECT_FALSE(session.close());
    EXPECT_TRUE(install.has(files::Settings));
}

TEST(DaySession, SettingsNeverReadAreNeverWritten) {
    Installation install;
    std::filesystem::remove_all(install.folders.InstallFolder / "Exec");
    DaySession session(install.setup());
    DayStart start = session.open();
    ASSERT_EQ(start.status, DayStart::Status::Stopped);
    EXPECT_EQ(start.message,
              "Folder not found: " + (install.folders.InstallFolder / "Exec").string() + " (for " +
                  install.folders.file(files::Settings).string() + ")");
    std::filesystem::create_directories(install.folders.InstallFolder / "Exec");
    EXPECT_FALSE(session.close());
    EXPECT_FALSE(install.has(files::Settings));
}

TEST(DaySession, CloseThatCannotKeepTheSettingsLeavesTheReportFiles) {
    Installation install;
    install.profile.write(install.folders.file(files::AnalysisText), TwoReports);
    DaySession session(install.setup());
    DayStart start = session.open();
    ASSERT_EQ(start.status, DayStart::Status::Opened) << start.message;
    ASSERT_TRUE(install.has("A01Aqu"));

    // A folder where the settings file should be: the settings cannot be replaced.
    std::filesystem::remove(install.folders.file(files::Settings));
    std::filesystem::create_directories(install.folders.file(files::Settings) / "blocker");
    try {
        (void)session.close();
        FAIL() << "the close kept settings it cannot write";
    } catch (const SettingsNotKept& error) {
        EXPECT_NE(std::string(error.what()).find(install.folders.file(files::Settings).string()),
                  std::string::npos)
            << error.what();
    }
    EXPECT_TRUE(install.has("A01Aqu"));
    EXPECT_TRUE(install.has("X01Aqu"));

    std::filesystem::remove_all(install.folders.file(files::Settings));
    EXPECT_FALSE(session.close());
    EXPECT_FALSE(install.has("A01Aqu"));
    EXPECT_EQ(install.read(files::AnalysisText), TwoReports);
}

TEST(DaySession, CloseWithoutTheSettingsPutsTheDayAwayAllTheSame) {
    Installation install;
    install.profile.write(install.folders.file(files::AnalysisText), TwoReports);
    DaySession session(install.setup());
    ASSERT_EQ(session.open().status, DayStart::Status::Opened);
    std::filesystem::remove(install.folders.file(files::Settings));
    std::filesystem::create_directories(install.folders.file(files::Settings) / "blocker");
    EXPECT_THROW((void)session.close(), SettingsNotKept);

    EXPECT_FALSE(session.closeWithoutSettings());
    EXPECT_FALSE(install.has("A01Aqu"));
    EXPECT_EQ(install.read(files::AnalysisText), TwoReports);
    EXPECT_TRUE(std::filesystem::is_directory(install.folders.file(files::Settings)));
}

TEST(DaySession, CloseFindingTheReportFilesGoneKeepsTheTextAndSaysSo) {
    Installation install;
    install.profile.write(install.folders.file(files::AnalysisText), TwoReports);
    DaySession session(install.setup());
    DayStart start = session.open();
    ASSERT_EQ(start.status, DayStart::Status::Opened) << start.message;
    // Another writer joined and deleted the report files under this session.
    for (const char* name : {"A01Aqu", "A01Aqu ~", "X01Aqu", "X01Aqu ~"})
        std::filesystem::remove(install.folders.file(name));

    std::optional<std::string> notice = session.close();
    ASSERT_TRUE(notice);
    EXPECT_NE(notice->find("Analysis.TXT"), std::string::npos) << *notice;
    EXPECT_EQ(install.read(files::AnalysisText), TwoReports);
}

TEST(DaySession, ListingAgainFollowsChangedSettings) {
    Installation install;
    install.profile.write(install.folders.file(files::AnalysisText), TwoReports);
    DaySession session(install.setup());
    EXPECT_EQ(session.open().status, DayStart::Status::Opened);
    const ReportList& opened = session.day().list;
    EXPECT_EQ(std::count(opened.items.begin(), opened.items.end(), "A01Aqu"), 1);
    ListSettings onlyX = session.listSettings();
    onlyX.ReportKinds = "X";
    session.chooseListSettings(onlyX);
    const ReportList& list = session.day().list;
    EXPECT_EQ(std::count(list.items.begin(), list.items.end(), "A01Aqu"), 0);
    EXPECT_FALSE(session.rejoin());
    EXPECT_TRUE(session.listReports().items.empty());
    EXPECT_FALSE(install.has("A01Aqu"));
}

} // namespace
} // namespace analysis
