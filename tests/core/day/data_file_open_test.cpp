// Opening a day's data file from elsewhere while a day is open.
#include "core/day/day_session.h"

#include "core/common/file_io.h"
#include "core/document/decoder.h"
#include "core/document/report_files.h"
#include "demo/demo_day.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace analysis {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

/// Two tracks of the heavy day that the demo day does not run, so no report of one day has the
/// name of a report of the other.
demo::DayShape otherDay() {
    demo::DayShape shape = demo::demoDay();
    const std::vector<std::string> demoTracks = shape.tracks;
    shape.tracks.clear();
    for (const std::string& track : demo::heavyDay().tracks)
        if (shape.tracks.size() < 2 &&
            std::find(demoTracks.begin(), demoTracks.end(), track) == demoTracks.end())
            shape.tracks.push_back(track);
    shape.raceDay = 19000;
    return shape;
}

/// An installation with the demo day open, and another day's data file outside it.
struct OpenDay {
    TempDir profile;
    TempDir elsewhere;
    InstallFolders folders = installFoldersFor(profile.path().string());
    std::string otherDayFile = demo::makeDataFile(demo::makeAnalysisText(otherDay()), 19000);
    std::string demoDayFile = demo::makeDataFile(demo::makeAnalysisText(demo::demoDay()), 0);
    DaySession session{DaySessionSetup{folders, {}, {}, PrinterChoice{{"Office"}, 0}, {}}};
    std::vector<std::string> demoCodes;

    OpenDay() {
        for (const char* folder : {"Exec", "Data", "Help", "Archive"})
            fs::create_directories(folders.InstallFolder / folder);
        profile.write(folders.file(files::DataFile), demoDayFile);
        // What start-up writes from the program's resources: an empty schedule will do.
        profile.write(folders.file(files::Schedule), "");
        DayStart start = session.open();
        EXPECT_EQ(start.status, DayStart::Status::Opened) << start.message;
        demoCodes = session.reportIndex().value();
    }

    bool anyDemoReportFileLeft() const {
        return std::any_of(demoCodes.begin(), demoCodes.end(), [this](const std::string& code) {
            return fs::exists(workingFile(folders.InstallFolder, code)) ||
                   fs::exists(twinFile(folders.InstallFolder, code));
        });
    }
};

TEST(DataFileOpen, ANewDayTakesThePlaceOfTheDayOpen) {
    OpenDay install;
    const Day& day = install.session.day();
    install.session.chooseMode(5);
    ASSERT_FALSE(install.session.findInDay("Aqu", false).hits.empty());
    const fs::path source = install.elsewhere.write("stick/today.dat", install.otherDayFile);

    DataFileOpen opened = install.session.openDataFile(source);
    ASSERT_EQ(opened.status, DataFileOpen::Status::Opened) << opened.message;
    EXPECT_TRUE(opened.notices.empty());
    // The copy is in place, whole, with nothing left beside it.
    EXPECT_EQ(readFile(install.folders.file(files::DataFile)), install.otherDayFile);
    EXPECT_EQ(std::distance(fs::directory_iterator(install.folders.InstallFolder / "Data"),
                            fs::directory_iterator()),
              1);
    EXPECT_EQ(readFile(source), install.otherDayFile);
    // The day before was put away: none of its report files is left.
    EXPECT_FALSE(install.anyDemoReportFileLeft());

    const std::vector<std::string> tracks = otherDay().tracks;
    EXPECT_EQ(day.raceDateText, RaceDateText(19000));
    ASSERT_FALSE(day.list.items.empty());
    for (const std::string& item : day.list.items)
        EXPECT_TRUE(item.empty() ||
                    std::find(tracks.begin(), tracks.end(), item.substr(3, 3)) != tracks.end())
            << item;
    EXPECT_EQ(day.list.selected, 0);
    EXPECT_EQ(day.ViewFile, install.folders.file(day.list.items[0]));
    EXPECT_EQ(day.viewer, readFile(day.ViewFile));
    EXPECT_TRUE(day.haveText);
    // The hits were the other day's; the print mode is the user's and stays.
    EXPECT_FALSE(day.search);
    EXPECT_EQ(day.print.current.fontMode, 5);

    // Closing puts the new day away as its own.
    EXPECT_FALSE(install.session.close());
    const std::string text = readFile(install.folders.file(files::AnalysisText));
    EXPECT_NE(text.find("@A01" + tracks[0]), std::string::npos);
    EXPECT_EQ(text.find("@A01Aqu"), std::string::npos);
}

TEST(DataFileOpen, AFileThatIsNoDayIsRefusedAndTheDayKept) {
    struct Case {
        const char* what;
        std::string bytes; ///< written to the source unless empty
        bool folder;
        const char* says;
    };
    const Case cases[] = {
        {"a text file", std::string(3 * DataRecordSize, 'x'), false, "not a day's data file"},
        {"a file cut in its header", std::string(200, '\0'), false, "not a day's data file"},
        {"a missing file", "", false, "not found"},
        {"a folder", "", true, "today.dat"},
    };
    for (const Case& test : cases) {
        OpenDay install;
        const Day before = install.session.day();
        fs::path source = install.elsewhere.path() / "today.dat";
        if (!test.bytes.empty())
            install.elsewhere.write("today.dat", test.bytes);
        if (test.folder)
            fs::create_directories(source);

        DataFileOpen opened = install.session.openDataFile(source);
        EXPECT_EQ(opened.status, DataFileOpen::Status::Refused) << test.what;
        EXPECT_NE(opened.message.find(test.says), std::string::npos)
            << test.what << ": " << opened.message;
        EXPECT_TRUE(install.session.day() == before) << test.what;
        EXPECT_EQ(readFile(install.folders.file(files::DataFile)), install.demoDayFile);
        EXPECT_TRUE(install.session.reportIndex()) << test.what;
        for (const std::string& code : install.demoCodes)
            EXPECT_TRUE(fileExists(workingFile(install.folders.InstallFolder, code))) << code;
    }
}

TEST(DataFileOpen, ADataFileThatCannotBePutInPlaceKeepsTheDay) {
    OpenDay install;
    const Day before = install.session.day();
    const fs::path source = install.elsewhere.write("today.dat", install.otherDayFile);
    fs::remove_all(install.folders.InstallFolder / "Data");

    DataFileOpen opened = install.session.openDataFile(source);
    EXPECT_EQ(opened.status, DataFileOpen::Status::Failed);
    EXPECT_NE(opened.message.find("Data"), std::string::npos) << opened.message;
    EXPECT_NE(opened.message.find("kept"), std::string::npos) << opened.message;
    EXPECT_TRUE(install.session.day() == before);
    EXPECT_TRUE(install.session.reportIndex());
    for (const std::string& code : install.demoCodes)
        EXPECT_TRUE(fileExists(workingFile(install.folders.InstallFolder, code))) << code;
}

} // namespace
} // namespace analysis
