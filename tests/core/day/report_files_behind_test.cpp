// The day's report files written behind the window: what is shown meanwhile, an action that
// needs them, a failed writing, and the close that joins them back from memory.
#include "core/day/day_session.h"

#include "day_installation.h"

#include "core/common/file_io.h"
#include "core/common/io_error.h"
#include "core/document/report_files.h"
#include "core/document/report_index.h"
#include "demo/demo_day.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <map>
#include <memory>

namespace analysis {
namespace {

namespace fs = std::filesystem;
using testing::DayInstallation;

/// The demo day's data file in place.
struct DemoDay : DayInstallation {
    DemoDay() {
        profile.write(folders.file(files::DataFile),
                      demo::makeDataFile(demo::makeAnalysisText(demo::demoDay()), 0));
    }
    /// The day's text and its report files as a start that writes them before it returns leaves
    /// them, the list's first report and one more; the files are put away again.
    struct Reference {
        std::string decoded, joined;
        std::string firstCode, otherCode;
        std::map<fs::path, std::string> files;
    };
    Reference reference() {
        DaySession session(setup());
        EXPECT_EQ(session.open().status, DayStart::Status::Opened);
        Reference seen;
        seen.decoded = read(files::AnalysisText);
        const ReportList& list = session.day().list;
        seen.firstCode = list.items.at(static_cast<std::size_t>(list.selected));
        for (const std::string& item : list.items)
            if (!item.empty() && item != seen.firstCode && item.starts_with('E'))
                seen.otherCode = item;
        for (const std::string& code : *session.reportIndex())
            for (const fs::path& file :
                 {workingFile(folders.InstallFolder, code), twinFile(folders.InstallFolder, code)})
                seen.files[file] = readFile(file);
        EXPECT_FALSE(session.close());
        seen.joined = read(files::AnalysisText);
        return seen;
    }
};

/// Writes report files as the program does, but holds one back until released (for ten seconds
/// at most, so that a failing test ends).
struct HeldBackFile {
    explicit HeldBackFile(fs::path held) : path(std::move(held)) {}

    fs::path path;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();

    ReportFileWriter::WriteFile writer() {
        return [this](const fs::path& file, std::string_view bytes) {
            if (file == path)
                released.wait_for(std::chrono::seconds(10));
            ReportFileWriter::writeToDisk(file, bytes);
        };
    }
};

TEST(ReportFilesBehind, TheDayIsShownAtOnceAndAnActionWaitsForTheWholeFiles) {
    DemoDay install;
    const DemoDay::Reference expected = install.reference();

    // The writing is held at the first report's twin, right after the first report's own file.
    HeldBackFile held(twinFile(install.folders.InstallFolder, expected.firstCode));
    std::vector<bool> waitingSaid;
    DaySessionSetup setup = install.setup();
    setup.writeReportFilesBehind = true;
    setup.writeReportFile = held.writer();
    setup.waitingForReportFiles = [&waitingSaid](bool waiting) { waitingSaid.push_back(waiting); };
    DaySession session(std::move(setup));
    ASSERT_EQ(session.open().status, DayStart::Status::Opened);

    // The list and any report are there before their files are.
    const fs::path other = workingFile(install.folders.InstallFolder, expected.otherCode);
    EXPECT_FALSE(fs::exists(other));
    const auto row = std::find(session.day().list.items.begin(), session.day().list.items.end(),
                               expected.otherCode);
    session.select(static_cast<int>(row - session.day().list.items.begin()));
    EXPECT_EQ(session.day().ViewFile, other);
    EXPECT_EQ(session.day().viewer, expected.files.at(other));

    // Finding across the day reads every report file.
    EXPECT_TRUE(session.reportFilesPending());
    auto search = std::async(std::launch::async, [&session] {
        return session.findInDay("QUILLMARSH", true).hits.size();
    });
    EXPECT_EQ(search.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    held.release.set_value();
    EXPECT_GT(search.get(), 0u);
    EXPECT_EQ(waitingSaid, (std::vector<bool>{true, false}));
    EXPECT_FALSE(session.reportFilesPending());
    for (const auto& [file, bytes] : expected.files)
        EXPECT_EQ(readFile(file), bytes) << file;

    EXPECT_FALSE(session.close());
    EXPECT_EQ(install.read(files::AnalysisText), expected.joined);
    EXPECT_FALSE(fs::exists(other));
}

TEST(ReportFilesBehind, WritingThatFailsLeavesTheDayWholeAndUnsplit) {
    DemoDay install;
    const DemoDay::Reference expected = install.reference();
    // A folder where a report file goes: it cannot be created.
    fs::create_directory(twinFile(install.folders.InstallFolder, expected.otherCode));
    for (const bool behind : {true, false}) {
        SCOPED_TRACE(behind ? "behind" : "before returning");
        DaySessionSetup setup = install.setup();
        setup.writeReportFilesBehind = behind;
        DaySession session(std::move(setup));
        DayStart start = session.open();
        if (behind) {
            EXPECT_EQ(start.status, DayStart::Status::Opened);
            EXPECT_FALSE(session.day().list.items.empty());
            EXPECT_THROW(session.waitForReportFiles(), IoError);
        } else {
            EXPECT_EQ(start.status, DayStart::Status::Stopped);
            EXPECT_NE(start.message.find(expected.otherCode), std::string::npos) << start.message;
        }
        EXPECT_TRUE(session.day().list.items.empty());
        EXPECT_FALSE(session.reportIndex());
        for (const auto& [file, bytes] : expected.files)
            EXPECT_EQ(fs::is_regular_file(file), false) << file;
        EXPECT_FALSE(session.close());
        EXPECT_EQ(install.read(files::AnalysisText), expected.decoded);
    }
}

TEST(ReportFilesBehind, TheRejoinFromMemoryEqualsTheRejoinFromTheFiles) {
    // Two copies of the same day with the same changes: one closed by the session, which takes
    // what it can from memory, one joined from the files alone.
    DemoDay fromMemory, fromFiles;
    std::vector<std::unique_ptr<DaySession>> sessions;
    for (DemoDay* install : {&fromMemory, &fromFiles}) {
        auto& session = *sessions.emplace_back(std::make_unique<DaySession>(install->setup()));
        ASSERT_EQ(session.open().status, DayStart::Status::Opened);
        const fs::path folder = install->folders.InstallFolder;
        const std::vector<std::string>& index = *session.reportIndex();
        const auto firstOf = [&index](char kind) {
            return *std::find_if(index.begin(), index.end(),
                                 [kind](const std::string& code) { return code[0] == kind; });
        };
        // A scratch edit of an A report, the E reports re-cut to another limit, an X report
        // changed in place by another program, a B report's file and an E report's twin
        // removed.
        session.select(static_cast<int>(std::find(session.day().list.items.begin(),
                                                  session.day().list.items.end(), firstOf('A')) -
                                        session.day().list.items.begin()));
        session.saveScratch("edited A report\r\n  12.5  3.25\r\n");
        ListSettings shorter = session.listSettings();
        shorter.EmaxLines = 2;
        session.chooseListSettings(shorter);
        OutputFile(workingFile(folder, firstOf('X')), OutputFile::Mode::Direct).commit();
        fs::remove(workingFile(folder, firstOf('B')));
        fs::remove(twinFile(folder, firstOf('E')));
    }
    EXPECT_FALSE(sessions[0]->close());
    EXPECT_EQ(RejoinAnalysis(fromFiles.folders.InstallFolder, *sessions[1]->reportIndex()),
              RejoinOutcome::Joined);
    const std::string joined = fromMemory.read(files::AnalysisText);
    EXPECT_EQ(joined, fromFiles.read(files::AnalysisText));
    EXPECT_NE(joined.find("edited A report"), std::string::npos);
}

} // namespace
} // namespace analysis
