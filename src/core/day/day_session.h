// The day as the program holds it from start to close: the settings, the job counter, the
// analysis text cut into report files, the schedule table, and the Day the window shows. Each
// thing the user does is one method here; the window reads its controls, calls the method and
// shows the Day that results. analysis-tool and tests drive the same methods without a window.
#pragma once

#include "core/day/archive_load.h"
#include "core/day/data_file_open.h"
#include "core/day/day.h"
#include "core/day/print_job.h"
#include "core/day/print_output.h"
#include "core/day/report_file_writer.h"
#include "core/document/report_list.h"
#include "core/installation/install_folders.h"
#include "core/installation/installation_state.h"
#include "core/installation/settings.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace analysis {

/// What the session needs from outside the core.
struct DaySessionSetup {
    InstallFolders folders;
    /// Where the desktop launcher goes; empty when the desktop has no folder for one.
    std::filesystem::path desktopFolder;
    /// Writes the embedded text name ('A', 'X', 'E', 'B' help pages, 'Z' schedule sample) to a
    /// file, replacing it; raises IoError when it cannot.
    std::function<void(char name, const std::filesystem::path& file)> extractResource;
    /// The installed printers and the one current at start.
    PrinterChoice printers;
    /// What the print server says of a printer, asked before each print; none asks nothing.
    PrinterStateReader printerState;
    /// When set, start-up lists and shows the day from memory and leaves its report files to be
    /// written behind; an action that needs them waits (waitForReportFiles). Otherwise start-up
    /// returns with every file written.
    bool writeReportFilesBehind = false;
    /// Called on the writing thread once the files written behind are all written, or could not
    /// be; waitForReportFiles then says which.
    std::function<void()> reportFilesWritten{};
    /// Told true before an action starts waiting for report files still being written, and false
    /// once they are (a window shows it is busy meanwhile).
    std::function<void(bool waiting)> waitingForReportFiles{};
    /// How a report file is written; the program's own file writing unless set.
    ReportFileWriter::WriteFile writeReportFile = ReportFileWriter::writeToDisk;
    /// The program running now, which the launcher starts when the installation holds no program
    /// of its own ("Exec/Analysis.EXE"), as one made for an installed package does not.
    std::filesystem::path runningProgram{};
};

enum class DayStartStatus {
    Opened,  ///< every step of start-up was taken
    Stopped, ///< a step failed, as the message says; the day is open as far as start-up got
};

/// What opening the day leaves to say; the Day holds what the window shows.
struct [[nodiscard]] DayStart : Outcome<DayStartStatus> {
    using Status = DayStartStatus;
    /// Notices for the user in order, said before the message: a data file that is a folder,
    /// incomplete or empty, a first report that cannot be read.
    std::vector<std::string> notices;
    /// The text shown is not today's decoding: there was no data file, or it held no text.
    bool earlierText = false;
};

/// The settings (or the job counter) could not be kept at the close; the message says why,
/// naming the file. Nothing else was done: the day is still split and listed.
class SettingsNotKept : public AnalysisError {
public:
    using AnalysisError::AnalysisError;
};

class DaySession {
public:
    explicit DaySession(DaySessionSetup setup);

    /// Start-up: the job counter, the profile's leftovers removed, the settings read (or made
    /// with the defaults), the desktop launcher, the help pages and schedule sample, the data
    /// file decoded when there is one, the text split and listed when there is one, the first
    /// report shown. Each step needs the ones before it: the first failure ends start-up with
    /// what was reached, and is the outcome's message. The Day holds the day opened.
    DayStart open();

    /// Opens the data file at source as the day, as start-up opens a new day: source is read and
    /// checked to be a day's data file (Refused, nothing changed, when it is not or cannot be
    /// read); it is copied into place as "Data/Analysis.DAT", replacing the one there only once
    /// whole; the day open until now is joined back into "Analysis.TXT"; then the new day is
    /// decoded, split and listed, and its first report shown. The last search goes with the day
    /// it searched.
    DataFileOpen openDataFile(const std::filesystem::path& source);

    /// Close: the settings and the job counter kept (keepSettings), then the day put away
    /// (putDayAway). SettingsNotKept when the settings cannot be written, and the day stays as
    /// it is, for the user to stay or to close without them (closeWithoutSettings).
    [[nodiscard]] std::optional<std::string> close();
    /// Close when the settings cannot be kept: the day is put away all the same, and the
    /// settings changed since start-up are lost.
    [[nodiscard]] std::optional<std::string> closeWithoutSettings();
    /// The first step of the close: the settings and the job counter written, only when
    /// start-up read or made them, so defaults never replace a user's file. SettingsNotKept
    /// naming the file when they cannot be.
    void keepSettings();
    /// The last step of the close: the report files joined back into the analysis text (only
    /// after a split). IoError when the rejoin fails. Returns a notice for the user when the
    /// text was left as it is (see rejoin).
    [[nodiscard]] std::optional<std::string> putDayAway();

    /// The day as it stands, for the window to show.
    const Day& day() const noexcept { return day_; }

    // What the user does with the report list and the viewer.

    /// Selects the item at row (-1: none) and shows its report when the item is a report whose
    /// file exists; otherwise the viewer keeps what it shows. IoError when the file cannot be
    /// read: the selection has moved all the same.
    void select(int row);
    /// Ticks or clears the report at row; a spacer or a row outside the list has no tick.
    void tick(int row, bool ticked);
    /// Ticks (or clears) every report of the list.
    void tickAll(bool ticked);
    /// Backspace in the list: the first marks the place; each later one returns to the mark
    /// before, so two in a row switch between two reports.
    void goBack();
    /// Shows a help page of the installation ("Help/A-Report.HLP"); a page the installation
    /// does not have is not shown.
    void showHelpPage(std::string_view page);

    // Finding a text across the day.

    /// Finds text (code page 437 bytes) in every report of the day, report after report in the
    /// order of the analysis text, down the working files the viewer shows; letters in either
    /// case unless caseSensitive. The search, at most DaySearchHitLimit hits of it, becomes the
    /// Day's, with no hit shown yet. Nothing is found before the text is split. IoError naming a
    /// report file that cannot be read: the last search stays the Day's.
    const DaySearch& findInDay(std::string_view text, bool caseSensitive);
    /// Shows hit index of the last search: its report is selected in the list when listed, and
    /// loaded in the viewer, where the match is to be selected. A report whose file is gone is
    /// not shown, but the hit counts as the current one. A hit outside the search: nothing.
    void showHit(int index);
    /// Shows the hit after the current one (before it when backward), going round from the last
    /// to the first; false, and nothing shown, when the last search found nothing.
    bool showNextHit(bool backward = false);

    // What the user chooses.

    /// The print mode chosen with the selector (0 to 7): the legal and duplex flags follow the
    /// PCL paper as it stands, and the choice is kept in the settings.
    void chooseMode(int fontMode);
    /// The paper of the PCL printer options, which the next job or mode change takes.
    void choosePaper(PclPaper paper);
    /// The printer for every kind of printing: an index into the installed printers.
    void choosePrinter(int index);
    /// The list settings chosen in the options: the list is rebuilt for them with the user's
    /// ticks and selection carried over, and the selected report is shown.
    void chooseListSettings(const ListSettings& chosen);
    /// The performance-lines limit stepped in the options; it counts from that moment.
    void chooseEmaxLines(int lines);
    /// The schedule's layout for the rest of the session.
    void chooseScheduleLayout(const ScheduleLayoutOptions& layout);
    /// The 2-up box of the schedule layout dialog, as the user left it.
    void chooseScheduleTwoUpBox(bool ticked);

    // Printing.

    /// PRINT's job: the ticked reports, stamped, with the PCL paper as it stands.
    PrintJobRequest tickedJob() const;
    /// The job of "PRINT Current View  Only": the file in the viewer, unstamped, with the flags
    /// as they stand.
    PrintJobRequest currentViewJob() const;
    /// What a preview or an export shows, and the job its Print runs: PRINT's job or, with
    /// nothing ticked, the current view's.
    PrintJobRequest previewJob() const;
    /// Runs a print job on the current printer, reached through canvas and spooler, at the
    /// moment clock tells, counting it in the installation; the flags it leaves (the paper it
    /// printed on, the canvas's page-shape test) are the flags from now on. printFileReady is
    /// called once the print file is complete.
    PrintJobOutcome print(const PrintJobRequest& request, PrinterCanvas& canvas,
                          pcl::RawSpooler& spooler, const JobClock& clock,
                          std::function<void()> printFileReady = {});
    /// The pages job would print, onto target (a PDF file, a preview), neither counted nor
    /// stamped, its temporary files in a folder of their own.
    PrintJobOutcome output(const PrintJobRequest& job, OutputTarget& target);
    /// What the print server says of the current printer now; nothing when there is none, or
    /// the server cannot tell.
    std::optional<PrinterState> currentPrinterState() const;
    /// The schedule of the ticked reports' tracks: written into "SimoDump.LST" and shown in the
    /// viewer (ViewFile stays on the report it showed); its lines, read back.
    std::vector<std::string> extractSchedule();
    /// Prints the schedule lines onto target in the schedule layout, with the 2-up choice as
    /// the dialog's box was left, headed by the race date; then, printed or not, shows ViewFile
    /// again when there is one.
    SchedulePrintResult printSchedule(std::span<const std::string> lines, OutputTarget& target);

    // Archives and the scratch editor.

    /// Writes the ticked reports into the archive name. InvalidArchiveName, or IoError naming
    /// the file or the missing folder.
    void saveArchive(std::string_view name);
    /// Brings the archive name back as the day (see loadArchive); the list and the viewer then
    /// show the day the outcome describes, and the last search across the day is gone with the
    /// day it searched.
    ArchiveLoad loadArchive(std::string_view name);
    /// The working file of the selected report, for the scratch editor; nothing when no report
    /// is selected.
    std::optional<std::filesystem::path> scratchFile();
    /// Saves the scratch editor's bytes over the selected report's working file (rescaled) and
    /// shows the result, which is then also what a print of the view prints.
    void saveScratch(std::string_view editedBytes);

    /// The list for the current settings, E reports re-cut when RecutEReports is set. Empty
    /// before a split.
    ReportList listReports();
    /// The settings that decide what is listed, with RecutEReports.
    ListSettings listSettings() const;

    /// Cuts "Analysis.TXT" into its reports (after loading the schedule table) and lists them;
    /// the report files are written from the reports in memory, the first listed first, behind
    /// or before returning as the setup asks. From now on E reports are re-cut when listed.
    void split();
    /// Waits until the day's report files are all written. When they could not be, the files
    /// written are gone again, the day is no longer split or listed ("Analysis.TXT" is as it
    /// was), and the writing's IoError is raised.
    void waitForReportFiles();
    /// True while report files are still being written behind.
    bool reportFilesPending() const { return reportFiles_ && !reportFiles_->done(); }
    /// Joins the report files back into "Analysis.TXT" and deletes them; nothing when the text
    /// is not split. A report file that was not changed since the split is taken from memory,
    /// one not written yet too: files still being written are not waited for. When not one of
    /// the day's report files is left, the text is kept as it is and the returned notice says so.
    [[nodiscard]] std::optional<std::string> rejoin();

    const InstallFolders& folders() const noexcept { return setup_.folders; }
    const Settings& settings() const noexcept { return settings_; }
    const InstallationState& installation() const noexcept { return installation_; }
    const std::vector<std::string>& scheduleLines() const noexcept { return scheduleLines_; }
    /// The report codes of the split text in text order; nothing while the text is not split.
    const std::optional<std::vector<std::string>>& reportIndex() const noexcept {
        return reportIndex_;
    }

private:
    void openSteps(DayStart& start);
    /// Runs steps of opening a day; the first failure ends them and is the outcome's message.
    /// The Day then says whether there is a text, and whether it is an earlier day's.
    DayStart runOpening(void (DaySession::*steps)(DayStart&));
    /// The steps of start-up that open the day itself: the data file decoded when there is one,
    /// the text split and listed when there is one.
    void openDaySteps(DayStart& start);
    /// Shows the list's first item when it is a report; a report that cannot be read is said
    /// first among notices.
    void showFirstReport(std::vector<std::string>& notices);
    /// Shows path in the viewer and makes it ViewFile; a report file not written yet is shown
    /// from memory.
    void show(const std::filesystem::path& path);
    /// Whether a report file is there to show: on disk, or still to be written.
    bool reportFileThere(const std::filesystem::path& path) const;
    /// Shows the report of the item at row when it is one whose file exists.
    void showReportAt(int row);
    bool isReport(int row) const;

    DaySessionSetup setup_;
    Day day_;
    Settings settings_;
    InstallationState installation_;
    bool settingsReady_ = false; ///< read or created at start-up, so closing may write them
    /// Whether listing re-cuts the E reports to the performance-lines limit.
    bool RecutEReports = true;
    std::vector<std::string> scheduleLines_;
    std::optional<std::vector<std::string>> reportIndex_;
    /// The report files of the split and what they hold; none before a split.
    std::unique_ptr<ReportFileWriter> reportFiles_;
};

} // namespace analysis
