// The main window: the report list, the viewer, and the print controls of the day.
#pragma once

#include "core/app/install_folders.h"
#include "core/app/installation_state.h"
#include "core/app/settings.h"
#include "gui/printer_choice.h"

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
class QPrinter;

namespace analysis {

class TEditForm;
class TOptionsForm;
class TPrinterXForm;
class TSimoOpts;
class UpDown;
struct ReportList;

/// What the window needs from the process that opens it.
struct MainFormSetup {
    InstallFolders folders;
    QString exePath;
    PrinterChoice printers;
    /// Shows an error or a notice to the user; a message box unless a test replaces it.
    std::function<void(const QString&)> showMessage;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    /// Builds the window, gets the day ready (DirtyUp) and creates the dialogs.
    explicit TMainForm(MainFormSetup setup, QWidget* parent = nullptr);
    ~TMainForm() override;

    /// Puts the analysis text back together and saves the settings. False when a step failed:
    /// the user has been told and the window stays open.
    bool CleanUp();

    TPrinterXForm* printerOptions() const { return printerXForm_; }
    /// The file the viewer shows, the one "PRINT Current View  Only" prints.
    const std::filesystem::path& viewFile() const { return ViewFile; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenu();
    void createDialogs();
    void DirtyUp();

    // Handlers of the controls.
    void ReportBoxClick();
    void ReportListBoxKeyPress(int key);
    void CheckAllClick();
    void ClearAllClick();
    void ListBox1MouseDown();
    void ListBox1MouseUp();
    void FontSelectClick();
    void SpinFontDblClick();
    void PrintButtonClick();
    void Quickie();
    void WTFClick();
    void WTFClickA();
    void WTFClickE();
    void MenuEditClick();

    /// Runs a handler; an error stops it and is shown to the user. False when it failed.
    bool guarded(const std::function<void()>& handler);
    void showReportAt(int row);
    void showFile(const std::filesystem::path& path);
    void showHelpPage(std::string_view page);
    void fillReportList(const ReportList& list);
    void showPrintMode();
    void buildReportList();
    /// Prints the print file (when it was written) in the current mode on the current printer;
    /// afterwards the temporary print files are gone and the Print button works again, whatever
    /// happened.
    void finishPrint(bool printFileReady);
    void removePrintFiles();

    MainFormSetup setup_;

    // The day's state.
    Settings settings_;
    InstallationState installation_;
    bool settingsReady_ = false; ///< read or created at start-up, so closing may write them
    std::optional<std::vector<std::string>> ReportIndex; ///< set once the text has been split
    std::vector<std::string> ScheduleLines;
    bool RecutEReports = true;
    int FontMode = 2;
    bool LegalFlag = false;
    bool DuplexFlag = false;
    std::filesystem::path ViewFile;
    int BackIndex = -1;
    int MarkIndex = -1;

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
    QPushButton* UpdateButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* LoadButton = nullptr;

    /// The printer the canvas engine draws on; it keeps the orientation and paper the user chose.
    std::unique_ptr<QPrinter> printer_;

    TOptionsForm* optionsForm_ = nullptr;
    TEditForm* editForm_ = nullptr;
    TPrinterXForm* printerXForm_ = nullptr;
    TSimoOpts* simoOpts_ = nullptr;
};

} // namespace analysis
