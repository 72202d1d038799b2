// The main window: the report list, the viewer, and the print controls of the day.
#pragma once

#include "core/day/day.h"
#include "core/day/day_session.h"
#include "core/installation/archive_catalog.h"
#include "core/installation/install_folders.h"
#include "gui/process_timing.h"
#include "gui/wait_cursor.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QAction;
class QActionGroup;
class QMenu;
class QPrinter;

namespace analysis {

class FindInDayForm;
class JobFollower;
class PrintPreviewWindow;
class TEditForm;
class TOptionsForm;
class TPrinterXForm;
class TSimoOpts;
class UpDown;
struct PrintJobOutcome;
struct PrintJobRequest;

/// The build identifier shown in the title and the About box.
inline constexpr const char* BuildStamp = "1468363032";

/// What the window needs from the process that opens it.
struct MainFormSetup {
    InstallFolders folders;
    QString exePath;
    PrinterChoice printers;
    /// Shows a notice to the user; a message box unless a test replaces it.
    std::function<void(const QString&)> showMessage;
    /// Shows what went wrong; a warning box unless a test replaces it (or showMessage).
    std::function<void(const QString&)> showWarning;
    /// Asks for one line of text in an input box with caption, prompt and a default text that
    /// Cancel gives back; an input dialog unless a test replaces it.
    std::function<QString(const QString& caption, const QString& prompt,
                          const QString& defaultText)>
        askText;
    /// Asks a yes-or-no question before something that cannot be undone (an archive replaced,
    /// an edit thrown away); true for yes. A question box whose default is No unless a test
    /// replaces it.
    std::function<bool(const QString& question)> askConfirm;
    /// Asks which archive to load, offering archives (those in folder); a typed name is taken
    /// too. Empty when cancelled. The archive picker unless a test replaces it; a test that only
    /// answers askText is asked through askText.
    std::function<QString(const std::vector<ArchiveEntry>& archives, const QString& folder)>
        chooseArchive;
    /// Asks for the file to save to, with caption and a suggested path; empty when cancelled.
    /// A file dialog unless a test replaces it.
    std::function<QString(const QString& caption, const QString& suggested)> askSaveFile;
    /// Shows a print preview until the user closes it; the dialog's exec() unless a test
    /// replaces it.
    std::function<void(PrintPreviewWindow& preview)> showPreview;
    /// Asks whether to close although the settings cannot be kept (the question says why);
    /// true to close. A question box unless a test replaces it.
    std::function<bool(const QString& question)> askCloseAnyway;
    /// True once the desktop session is ending: nobody is left to answer a box, so notices go
    /// to standard error and the close asks nothing. Never, unless the process says so.
    std::function<bool()> sessionEnding;
    /// What the print server says of a printer before a print; the CUPS server's unless a test
    /// replaces it.
    PrinterStateReader printerState;
    /// The newest job of this user on a printer (0 when none), and a job by id, as the print
    /// server has them: how a job is found and followed after it is sent. The CUPS server's
    /// unless a test replaces them.
    std::function<int(const std::string& printer)> newestJob;
    std::function<std::optional<ServerJob>(int id)> lookupJob;
    /// Asks the print server to cancel a job by id; false when it refused or could not be
    /// reached. The CUPS server's unless a test replaces it.
    std::function<bool(int id)> cancelJob;
    /// A print of more sheets than this asks first (bigJobQuestion); the user's setting
    /// "print/askAboveSheets" (25 when not set) unless a test gives it.
    std::optional<int> bigJobSheets;
    /// Asks about a big print: its sheets and printer; true to print, false to stop. A question
    /// box that also offers the preview (which then shows) unless a test replaces it.
    std::function<bool(int sheets, const QString& printer)> confirmBigJob;
    /// Asks whether to make the installation the offer describes (the profile has none); true to
    /// make it. A question box unless a test replaces it.
    std::function<bool(const QString& offer)> askSetup;
    /// Called once the window has made the installation, so the process can hold it from then
    /// on; none does nothing.
    std::function<void()> installationMade;
    /// Asks for a day's data file to open, starting in folder; empty when cancelled. A file
    /// dialog unless a test replaces it.
    std::function<QString(const QString& caption, const QString& folder)> askOpenFile;
    /// Where the moments a user waits for are told (ANALYSIS_TIMING); none tells nothing.
    ProcessTiming* timing = nullptr;
    /// Whether start-up shows the day before its report files are written; tests that look at
    /// the files right after start-up may ask for them first.
    bool writeReportFilesBehind = true;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    /// Builds the window, gets the day ready (DirtyUp) and creates the dialogs.
    explicit TMainForm(MainFormSetup setup, QWidget* parent = nullptr);
    ~TMainForm() override;

    /// Saves the settings and puts the analysis text back together. False when a step failed
    /// (the user has been told) or the user chose to stay when the settings could not be
    /// saved: the window stays open.
    bool CleanUp();

    /// Opens the data file at path as the day (Open Data File, a file dropped on the window or
    /// handed over by a second start) and shows the day it leaves, or why it was refused.
    void openDataFile(const QString& path);

    TPrinterXForm* printerOptions() const { return printerXForm_; }
    /// The day the window shows.
    const DaySession& session() const { return session_; }
    /// The file the viewer shows, the one "PRINT Current View  Only" prints.
    const std::filesystem::path& viewFile() const { return session_.day().ViewFile; }

signals:
    /// The close has begun: from now on the day is being put away.
    void closeBegun();
    /// The user chose to stay: the window is open again.
    void closeAbandoned();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    /// The race date, the report list and its tick buttons; returns the y below them.
    int createReportList(QWidget* client);
    /// The Print button and the print mode selector, from y down.
    void createPrintControls(QWidget* client, int y);
    /// The drop-down beside the mode arrows: every mode by name, and the printer options.
    void createModeMenu(QWidget* client, int y);
    /// Tab and Shift+Tab in the window's reading order.
    void setKeyboardOrder();
    /// The bottom-left corner: ListBox1, the schedule buttons, the ID and the job counter.
    void createCounterPanel(QWidget* client);
    void createViewer(QWidget* client);
    void createHiddenButtons(QWidget* client);
    void createMenu();
    /// "&Find": in the report shown, across the day, and on to the next and previous hit.
    void createFindMenu();
    void createDialogs();
    void connectDialogs();
    /// "Open Data &File..." at the head of menu, and the window taking dropped data files.
    void createOpenActions(QMenu* menu);
    void openDataFileClick();
    /// Where the profile has no installation, says so and offers to make it; false when there
    /// is none to open the day in (the user said no, or it could not be made).
    bool offerInstallation();
    void DirtyUp();
    /// Shows the session's day: only what differs from what is shown is touched, so a handler
    /// may call it after any change.
    void render();
    void renderList(const ReportList& list);
    /// The banner above the viewer: shown while the day opened last brought no new text.
    void renderBanner(const Day& day);

    // Handlers of the controls.
    void ReportBoxClick();
    /// Backspace returns to the report marked by the Backspace before it.
    void ReportListBoxKeyPress(int key);
    void CheckAllClick();
    void ClearAllClick();
    /// Shows the job counter while the mouse is held, and puts the desktop launcher back.
    void ListBox1MouseDown();
    void ListBox1MouseUp();
    void FontSelectClick();
    /// Opens the printer options of the current mode's family.
    void SpinFontDblClick();
    void PrintButtonClick();
    /// Prints the report in the viewer, unstamped ("PRINT Current View  Only").
    void Quickie();
    /// Shows the help index page when the installation has one (the "?" menu opening).
    void WTFClick();
    /// Shows the A report help page.
    void WTFClickA();
    /// Shows the E report help page.
    void WTFClickE();
    /// "&Options": the report kinds, track groups and performance lines, then the list rebuilt
    /// keeping the user's ticks and selection.
    void OptionsMenuClick();
    /// "&Save": the ticked reports into an archive file.
    void SaveButtonClick();
    /// "&Load": an archive file as the day's analysis.
    void LoadButtonClick();

    void createDesktopActions();
    /// A short word on the status line, for what needs no box.
    void say(const QString& text);
    /// Finds the search text in the viewer, from the cursor on (or back), going round once;
    /// asks for the text first when ask is set or no text was asked for yet.
    void findInViewer(bool ask, bool backward);
    /// "Find in the &Day's Reports": asks for a text and lists its hits in every report.
    void findInDayClick();
    /// Seeks text (code page 437 bytes) across the day and shows the hits.
    void findInDay(const std::string& text, bool caseSensitive);
    /// F3 and Shift+F3: the next (or previous) hit of the last search, across the day when that
    /// was the last search asked for, in the viewer otherwise.
    void findNext(bool backward);
    /// Shows hit index of the day's search.
    void showHit(int index);
    /// Selects the current hit's match in the viewer, which shows its report.
    void selectHitInViewer(const Day& day);
    /// Makes the viewer's text a pixel larger or smaller; 0 goes back to the design size.
    void zoomViewer(int step);
    /// The viewer's text at pixels, kept within the zoom's bounds.
    void setViewerPixels(int pixels);
    /// Opens where, as large as, and with the viewer zoomed as the window was closed last.
    void recallWindowMemory();
    /// Keeps the window's geometry and zoom in the user's config for the next start.
    void keepWindowMemory();
    /// Ctrl with the mouse wheel over the viewer zooms; true when the event was taken.
    bool viewerWheel(QEvent* event);
    void showAbout();
    void PrintSimoClick();
    void optionsClick();
    /// "&ScratchX": the selected report in the scratch editor, then rescaled.
    void MenuEditClick();
    /// "Print Pre&view": the ticked reports (or, with none ticked, the report in view) as the
    /// current mode prints them.
    void previewClick();
    /// "Export P&DF...": the same pages into a PDF file the user picks.
    void exportPdfClick();
    /// Print Preview and Export PDF, in fileMenu before quit.
    void createPreviewActions(QMenu* fileMenu, QAction* quit);

    /// Runs a handler; an error stops it and is shown to the user. False when it failed.
    bool guarded(const std::function<void()>& handler);
    /// What the session needs from the window: how it writes the day's files and waits for them.
    DaySessionSetup daySessionSetup();
    /// The report files written behind the window are all written, or could not be (then said).
    void reportFilesWritten();
    /// While the session ends, writes text to standard error instead of a box; false otherwise.
    bool noticeWithoutABox(const QString& text) const;
    void showHelpPage(std::string_view page);
    /// The race date as the window's heading shows it: "Race Date" until a day is decoded.
    QString raceDateCaption() const;
    /// Runs one print job on the current printer and shows how it ended; the Print button is
    /// disabled while it runs.
    void runPrint(const PrintJobRequest& request);
    /// Whether a print of request may go ahead: one of more sheets than the threshold asks
    /// first, naming the sheets and the printer and offering the preview. The pages it laid out
    /// are the total the print's progress counts to.
    bool bigJobConfirmed(const PrintJobRequest& request);
    /// Follows job id on printer until the server ends it, saying each change on the status line
    /// and a failure once; a job followed before is let go.
    void followJob(int id, const std::string& printer, const std::string& jobNumber, int pages);
    /// "Cancel Print Job": asks the print server to cancel the job followed; the status line
    /// then says what the server did.
    void cancelFollowedJob();
    /// What the user reads when a job failed: the printer and the reason, or what to do when
    /// there is no printer at all.
    QString printFailureText(const PrintJobOutcome& outcome, bool pclMode) const;
    /// Asks for an archive name with ask until a valid one or none is given; a name refused is
    /// said, with the rule, before asking again.
    std::optional<std::string> askArchiveName(const std::function<QString()>& ask);
    /// Whether the archive name may be written: true when there is none of that name yet, or the
    /// user agrees to replace it.
    bool archiveMayBeWritten(const std::string& name);
    /// Prints the schedule lines on the current printer; a failure names the printer.
    void printSchedule(const std::vector<std::string>& lines);

    MainFormSetup setup_;

    DaySession session_;
    /// The day as the controls show it now, so render touches only what changed.
    Day shown_;
    bool shownOnce_ = false;
    /// The first report painted in the viewer has been timed.
    bool firstReportTimed_ = false;
    QString findText_;
    /// F3 goes on across the day: the last search asked for was the day's, not the viewer's.
    bool findingAcrossDay_ = false;

    // Controls, named as the user's guide names them.
    QLabel* RaceDate = nullptr;
    QListWidget* ReportListBox = nullptr;
    QPushButton* checkALL = nullptr;
    QPushButton* clearALL = nullptr;
    QPushButton* PrintButton = nullptr;
    QLabel* SpinFont = nullptr;
    UpDown* FontSelect = nullptr;
    QLabel* IDlabel = nullptr;
    QLabel* PrintCounter = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* PrintSimo = nullptr;
    QPushButton* options = nullptr;
    QPlainTextEdit* MainMemo = nullptr;
    QLabel* dayBanner_ = nullptr;
    /// The modes of the mode drop-down, one checked: the current one.
    QActionGroup* modeChoices_ = nullptr;
    QPushButton* UpdateButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* LoadButton = nullptr;

    /// The printer the canvas engine draws on; it keeps the orientation and paper the user chose.
    std::unique_ptr<QPrinter> printer_;
    /// The busy cursor while an action waits for report files still being written.
    std::optional<WaitCursor> waitingForReportFiles_;

    TOptionsForm* optionsForm_ = nullptr;
    TEditForm* editForm_ = nullptr;
    TPrinterXForm* printerXForm_ = nullptr;
    TSimoOpts* simoOpts_ = nullptr;
    JobFollower* followedJob_ = nullptr;
    QAction* cancelJob_ = nullptr;
    /// The user asked to cancel the job followed: its end is no failure to warn of.
    bool cancelAsked_ = false;
    /// The pages of the print about to run, as laid out before it; 0 when not known.
    int expectedPages_ = 0;
    FindInDayForm* findInDayForm_ = nullptr;
};

} // namespace analysis
