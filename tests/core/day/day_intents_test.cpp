// A whole race day driven through the session alone, the way the window drives it, with the
// Day checked after each thing the user does.
#include "core/day/day_session.h"

#include "core/common/file_io.h"
#include "core/print/canvas/recording_canvas.h"
#include "core/print/print_modes.h"
#include "core/tools/rescale.h"
#include "demo/demo_day.h"
#include "support/capturing_spooler.h"
#include "support/fixed_clock.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace analysis {
namespace {

using testing::CapturingSpooler;
using testing::FixedClock;
using testing::TempDir;

/// A demo installation with the demo day's data file and one printer.
struct DemoInstall {
    TempDir profile;
    InstallFolders folders = installFoldersFor(profile.path().string());

    DemoInstall() {
        for (const char* folder : {"Exec", "Data", "Help", "Archive"})
            std::filesystem::create_directories(folders.InstallFolder / folder);
        std::string text = demo::makeAnalysisText(demo::demoDay());
        profile.write(folders.file(files::DataFile), demo::makeDataFile(text, 0));
        // A schedule of one race at each of the demo day's tracks.
        std::string schedule;
        for (const std::string& track : demo::demoDay().tracks)
            schedule += "         1:20 -  1 " + track + "  -  9.0f\r\n";
        profile.write(folders.file(files::Schedule), schedule);
        profile.write(folders.file(files::HelpA), "The A report\r\n");
    }
    DaySessionSetup setup() const { return {folders, {}, {}, PrinterChoice{{"Office"}, 0}, {}}; }
    std::string read(const std::filesystem::path& file) const { return readFile(file); }
};

int rowOf(const Day& day, std::string_view code) {
    auto found = std::find(day.list.items.begin(), day.list.items.end(), code);
    return found == day.list.items.end() ? -1 : static_cast<int>(found - day.list.items.begin());
}

/// The first report of the list whose code starts with kind.
int firstOfKind(const Day& day, char kind) {
    for (std::size_t row = 0; row < day.list.items.size(); ++row)
        if (!day.list.items[row].empty() && day.list.items[row][0] == kind)
            return static_cast<int>(row);
    return -1;
}

TEST(DayIntents, AWholeDayWithoutAWindow) {
    DemoInstall install;
    DaySession session(install.setup());
    const Day& day = session.day();

    // Start: the day decoded, listed, and its first report shown.
    DayStart start = session.open();
    EXPECT_EQ(start.status, DayStart::Status::Opened) << start.message;
    EXPECT_TRUE(start.notices.empty());
    EXPECT_EQ(day.raceDateText, "Wed 28-Nov-1973");
    EXPECT_EQ(day.raceDateCaption(), "Wed 28-Nov-1973");
    EXPECT_TRUE(day.haveText);
    ASSERT_GT(day.list.items.size(), 10u);
    EXPECT_EQ(day.list.selected, 0);
    const auto first = install.folders.file(day.list.items[0]);
    EXPECT_EQ(day.ViewFile, first);
    ASSERT_TRUE(day.viewer);
    EXPECT_EQ(*day.viewer, install.read(first));
    EXPECT_EQ(day.print.current, printSettingsFrom(DefaultPrintOptions));
    EXPECT_EQ(day.print.printers.currentName(), "Office");

    // Selecting a report shows it; Backspace marks, then returns to the mark before.
    const int a = firstOfKind(day, 'A');
    ASSERT_GT(a, 0);
    const auto aFile = install.folders.file(day.list.items[static_cast<std::size_t>(a)]);
    session.goBack(); // marks row 0
    session.select(a);
    EXPECT_EQ(day.list.selected, a);
    EXPECT_EQ(day.ViewFile, aFile);
    session.goBack(); // back to row 0, marking a
    EXPECT_EQ(day.list.selected, 0);
    EXPECT_EQ(day.ViewFile, first);
    session.goBack(); // and to a again
    EXPECT_EQ(day.list.selected, a);
    EXPECT_EQ(*day.viewer, install.read(aFile));

    // Ticks: cleared, then one report ticked; a spacer takes no tick.
    session.tickAll(false);
    EXPECT_TRUE(std::none_of(day.list.ticked.begin(), day.list.ticked.end(),
                             [](bool ticked) { return ticked; }));
    session.tick(a, true);
    const auto spacer = std::find(day.list.items.begin(), day.list.items.end(), "");
    ASSERT_NE(spacer, day.list.items.end());
    session.tick(static_cast<int>(spacer - day.list.items.begin()), true);
    EXPECT_EQ(std::count(day.list.ticked.begin(), day.list.ticked.end(), true), 1);
    EXPECT_EQ(session.tickedJob().reportFiles, std::vector<std::filesystem::path>{aFile});

    // Options: only A reports; the tick and the selection stay on the report they were on.
    const std::string aCode = day.list.items[static_cast<std::size_t>(a)];
    ListSettings onlyA = session.listSettings();
    onlyA.ReportKinds = "A";
    session.chooseListSettings(onlyA);
    for (const std::string& item : day.list.items)
        EXPECT_TRUE(item.empty() || item[0] == 'A') << item;
    const int aNow = rowOf(day, aCode);
    ASSERT_GE(aNow, 0);
    EXPECT_TRUE(day.list.ticked[static_cast<std::size_t>(aNow)]);
    EXPECT_EQ(day.list.selected, aNow);
    EXPECT_EQ(session.settings().ReportKinds, "A");

    // A PCL mode with legal paper, then PRINT: counted, stamped, spooled to the printer.
    session.choosePaper({true, false});
    session.chooseMode(6);
    EXPECT_EQ(day.print.current, (PrintSettings{6, true, false}));
    EXPECT_EQ(session.settings().PrintOptions, 6 | 8);
    RecordingCanvas canvas(4800, 6300);
    CapturingSpooler spooler;
    FixedClock clock;
    PrintJobOutcome printed = session.print(session.tickedJob(), canvas, spooler, clock);
    EXPECT_EQ(printed.status, PrintJobOutcome::Status::Printed) << printed.message;
    EXPECT_EQ(printed.jobNumberText, "0001");
    EXPECT_EQ(spooler.printer, "Office");
    EXPECT_NE(spooler.received.find("0001"), std::string::npos);
    EXPECT_EQ(session.installation().JobCounter, 1);

    // The paper cleared and a WIN mode: the preview's output is neither counted nor stamped.
    session.choosePaper({});
    session.chooseMode(0);
    RecordingCanvas preview(4800, 6300);
    CanvasOutput previewTarget(preview);
    PrintJobOutcome shown = session.output(session.previewJob(), previewTarget);
    EXPECT_EQ(shown.status, PrintJobOutcome::Status::Printed) << shown.message;
    EXPECT_TRUE(shown.jobNumberText.empty());
    EXPECT_EQ(session.installation().JobCounter, 1);
    EXPECT_NE(preview.trace().find("begin portrait"), std::string::npos);
    EXPECT_EQ(preview.trace().find("0002"), std::string::npos);

    // The schedule of the ticked track is shown while it prints, then the report again.
    const std::vector<std::string> lines = session.extractSchedule();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines.front().substr(19, 3), aCode.substr(3, 3));
    EXPECT_EQ(*day.viewer, lines.front() + "\r\n");
    EXPECT_EQ(day.ViewFile, aFile);
    RecordingCanvas schedule(4800, 6300);
    CanvasOutput scheduleTarget(schedule);
    session.printSchedule(lines, scheduleTarget);
    EXPECT_NE(schedule.trace().find("Wed 28-Nov-1973"), std::string::npos);
    EXPECT_EQ(*day.viewer, install.read(aFile));

    // A help page is shown and becomes the file a print of the view prints.
    session.showHelpPage(files::HelpA);
    EXPECT_EQ(day.ViewFile, install.folders.file(files::HelpA));
    EXPECT_EQ(session.currentViewJob().reportFiles,
              std::vector<std::filesystem::path>{install.folders.file(files::HelpA)});

    // Scratch save of the selected report: rescaled, written, shown.
    ASSERT_EQ(session.scratchFile(), std::optional<std::filesystem::path>(aFile));
    const std::string typed = install.read(aFile) + "scratch note\r\n";
    session.saveScratch(typed);
    const std::string edited = rescaleText(typed);
    EXPECT_NE(edited, typed); // the value lines were rescaled
    EXPECT_EQ(install.read(aFile), edited);
    EXPECT_EQ(day.ViewFile, aFile);
    EXPECT_EQ(*day.viewer, edited);

    // Archive save of the ticked report, then load: the archive is the day.
    session.saveArchive("ONE.TXT");
    const auto archive = install.folders.InstallFolder / "Archive" / "ONE.TXT";
    EXPECT_EQ(install.read(archive), edited);
    ASSERT_FALSE(session.findInDay("scratch note", false).hits.empty());
    session.showNextHit();
    ArchiveLoad loaded = session.loadArchive("ONE.TXT");
    EXPECT_FALSE(day.search);
    EXPECT_EQ(day.currentHit, -1);
    EXPECT_EQ(loaded.status, ArchiveLoad::Status::Loaded) << loaded.message;
    std::vector<std::string> listed;
    std::copy_if(day.list.items.begin(), day.list.items.end(), std::back_inserter(listed),
                 [](const std::string& item) { return !item.empty(); });
    EXPECT_EQ(listed, std::vector<std::string>{aCode});
    EXPECT_EQ(day.ViewFile, aFile);

    // Close: the settings kept, the day joined back into the analysis text.
    EXPECT_FALSE(session.close());
    EXPECT_EQ(install.read(install.folders.file(files::AnalysisText)), edited);
    EXPECT_EQ(install.read(install.folders.file(files::Settings)).substr(0, 8), "0000\r\nA\r");
    EXPECT_FALSE(fileExists(aFile));
}

/// Non-overlapping places of text in bytes, ASCII letters in either case.
std::size_t countIgnoringCase(std::string bytes, std::string text) {
    auto lower = [](std::string& s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    };
    lower(bytes);
    lower(text);
    std::size_t count = 0;
    for (std::size_t at = bytes.find(text); at != std::string::npos;
         at = bytes.find(text, at + text.size()))
        ++count;
    return count;
}

/// Line number (from 1) of a report file.
std::string lineOf(const std::string& bytes, int number) {
    std::size_t start = 0;
    for (int line = 1; line < number; ++line)
        start = bytes.find("\r\n", start) + 2;
    return bytes.substr(start, bytes.find("\r\n", start) - start);
}

TEST(DayIntents, FindingAcrossTheDayShowsEachHitInTurn) {
    DemoInstall install;
    DaySession session(install.setup());
    const Day& day = session.day();
    ASSERT_EQ(session.open().status, DayStart::Status::Opened);
    ASSERT_TRUE(session.reportIndex());
    const std::vector<std::string>& index = *session.reportIndex();

    // Every hit of every report, B reports (not listed) and all, in the order of the text.
    const DaySearch& found = session.findInDay("race 2", false);
    std::size_t expected = 0;
    for (const std::string& code : index)
        expected += countIgnoringCase(install.read(install.folders.file(code)), "race 2");
    ASSERT_EQ(found.hits.size(), expected);
    ASSERT_GT(expected, 4u);
    EXPECT_FALSE(found.moreHits);
    EXPECT_EQ(day.search.get(), &found);
    EXPECT_EQ(day.currentHit, -1);
    std::size_t reportAt = 0;
    for (const ReportHit& hit : found.hits) {
        const auto place =
            std::find(index.begin() + static_cast<std::ptrdiff_t>(reportAt), index.end(), hit.code);
        ASSERT_NE(place, index.end()) << hit.code << " out of order";
        reportAt = static_cast<std::size_t>(place - index.begin());
        const std::string bytes = install.read(install.folders.file(hit.code));
        EXPECT_EQ(lineOf(bytes, hit.line), hit.lineText) << hit.code << " " << hit.line;
        EXPECT_EQ(countIgnoringCase(bytes.substr(hit.offset, hit.length), "race 2"), 1u);
        EXPECT_EQ(hit.race, 2) << hit.code << " " << hit.lineText;
    }

    // A hit in a listed report selects it in the list and shows it; one in a report the list
    // leaves out shows it and leaves the list as it is.
    const auto isListed = [&](const ReportHit& hit) { return rowOf(day, hit.code) >= 0; };
    const auto listed = std::find_if(found.hits.begin(), found.hits.end(), isListed);
    const auto unlisted = std::find_if_not(found.hits.begin(), found.hits.end(), isListed);
    ASSERT_NE(listed, found.hits.end());
    ASSERT_NE(unlisted, found.hits.end());
    const int listedHit = static_cast<int>(listed - found.hits.begin());
    session.showHit(listedHit);
    EXPECT_EQ(day.currentHit, listedHit);
    EXPECT_TRUE(day.hitInView);
    EXPECT_EQ(day.list.selected, rowOf(day, listed->code));
    EXPECT_EQ(day.ViewFile, install.folders.file(listed->code));
    EXPECT_EQ(*day.viewer, install.read(day.ViewFile));
    const int selectedBefore = day.list.selected;
    session.showHit(static_cast<int>(unlisted - found.hits.begin()));
    EXPECT_EQ(day.list.selected, selectedBefore);
    EXPECT_EQ(day.ViewFile, install.folders.file(unlisted->code));
    EXPECT_TRUE(day.hitInView);

    // The next hit goes round from the last to the first, and back.
    const int last = static_cast<int>(found.hits.size()) - 1;
    session.showHit(last);
    EXPECT_TRUE(session.showNextHit());
    EXPECT_EQ(day.currentHit, 0);
    EXPECT_EQ(day.ViewFile, install.folders.file(found.hits[0].code));
    EXPECT_TRUE(session.showNextHit(true));
    EXPECT_EQ(day.currentHit, last);
    session.showHit(last + 1);
    EXPECT_EQ(day.currentHit, last);

    // Another report shown is no hit's; the next hit still counts from the last one shown.
    session.select(firstOfKind(day, 'X'));
    EXPECT_FALSE(day.hitInView);
    EXPECT_TRUE(session.showNextHit());
    EXPECT_EQ(day.currentHit, 0);

    // Case heeded finds only the headings as written; a text nowhere finds nothing to go to.
    EXPECT_TRUE(session.findInDay("race 2", true).hits.empty());
    EXPECT_EQ(day.currentHit, -1);
    EXPECT_FALSE(session.showNextHit());
    EXPECT_EQ(session.findInDay("Race 2", true).hits.size(), expected);

    // A text on nearly every line keeps only the first hits.
    const DaySearch& many = session.findInDay("e", false);
    EXPECT_EQ(many.hits.size(), DaySearchHitLimit);
    EXPECT_TRUE(many.moreHits);
}

TEST(DayIntents, TheViewPrintTakesTheFlagsAJobLeft) {
    DemoInstall install;
    DaySession session(install.setup());
    ASSERT_EQ(session.open().status, DayStart::Status::Opened);
    // The paper boxes count for the ticked reports' job; the view's print takes the flags that
    // job left behind, not the boxes.
    session.choosePaper({true, true});
    EXPECT_EQ(session.tickedJob().settings, (PrintSettings{2, true, true}));
    EXPECT_EQ(session.currentViewJob().settings, (PrintSettings{2, false, false}));
    RecordingCanvas canvas(4800, 6300);
    CapturingSpooler spooler;
    FixedClock clock;
    PrintJobOutcome printed = session.print(session.tickedJob(), canvas, spooler, clock);
    ASSERT_EQ(printed.status, PrintJobOutcome::Status::Printed) << printed.message;
    // A WIN mode's canvas test decides the legal flag: the page is not long.
    EXPECT_EQ(session.currentViewJob().settings, (PrintSettings{2, false, true}));
    EXPECT_FALSE(session.close());
}

} // namespace
} // namespace analysis
