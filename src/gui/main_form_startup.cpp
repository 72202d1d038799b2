// Getting the day ready when the window opens, and putting it away when it closes.
#include "gui/main_form.h"

#include "gui/up_down.h"

#include "core/app/desktop_launcher.h"
#include "core/common/file_io.h"
#include "core/document/decoder.h"
#include "core/document/report_index.h"
#include "core/print/print_modes.h"
#include "core/schedule/schedule_table.h"
#include "platform/desktop_folder.h"
#include "resources/embedded_resources.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace analysis {

namespace {
constexpr const char* BuildStamp = "1468363032";
constexpr const char* LauncherName = "Quillmarsh ANALYSIS";
} // namespace

void TMainForm::DirtyUp() {
    // Each step needs the ones before it: the first failure is shown and the rest skipped,
    // leaving the window open with what was reached.
    guarded([this] {
        setWindowTitle(setup_.exePath + QString(8, ' ') + "Build :  " + BuildStamp);
        const InstallFolders& folders = setup_.folders;

        installation_ = readInstallationState(folders.file(files::InstallationState));
        IDlabel->setText("  " + QString::fromStdString(installation_.UserId.substr(0, 4)) + "  ");
        QPalette green = IDlabel->palette();
        green.setColor(QPalette::Window, QColor(0xC0, 0xDC, 0xC0));
        IDlabel->setPalette(green);

        removeLeftoverFiles(folders.ProfileFolder);

        auto settingsFile = folders.file(files::Settings);
        if (FileExists(settingsFile))
            settings_ = ReadSettings(settingsFile);
        else
            WriteSettings(settingsFile, settings_);
        settingsReady_ = true;

        CreateDesktopShortcut(desktopFolder(), folders.file(files::Program), LauncherName);

        FontMode = printOptionsFontMode(settings_.PrintOptions);
        LegalFlag = printOptionsLegal(settings_.PrintOptions);
        DuplexFlag = printOptionsDuplex(settings_.PrintOptions);
        PrintButton->setEnabled(true);
        FontSelect->setPosition(7 - FontMode);
        showPrintMode();

        bool haveText = FileExists(folders.file(files::AnalysisText));
        SaveButton->setEnabled(haveText);
        LoadButton->setEnabled(haveText);

        PrintCounter->setText("    ");

        ExtractResource('A', folders.file(files::HelpA));
        ExtractResource('X', folders.file(files::HelpX));
        ExtractResource('E', folders.file(files::HelpE));
        ExtractResource('B', folders.file(files::HelpB));
        ExtractResource('Z', folders.file(files::Schedule));

        auto dataFile = folders.file(files::DataFile);
        if (FileExists(dataFile)) {
            DecodeResult decoded =
                DecodeDailyData(dataFile, folders.file(files::AnalysisText), installation_.UserId);
            RaceDate->setText(QString::fromStdString(decoded.raceDateText));
            if (decoded.missingRecords > 0)
                setup_.showMessage(
                    QString("The data file %1 is incomplete: %2 of its %3 records are missing. "
                            "The reports it holds are shown; ask the service for the whole "
                            "file.")
                        .arg(QString::fromStdString(dataFile.string()))
                        .arg(decoded.missingRecords)
                        .arg(decoded.RecordCount));
        }

        if (FileExists(folders.file(files::AnalysisText))) {
            ScheduleLines = LoadSchedule(folders.file(files::Schedule));
            ReportIndex = SplitAnalysis(folders.InstallFolder);
            RecutEReports = true;
            buildReportList();
        }

        if (ReportListBox->count() > 0) {
            auto first = folders.file(ReportListBox->item(0)->text().toStdString());
            if (!ReportListBox->item(0)->text().isEmpty() && FileExists(first))
                showFile(first);
        }
    });
}

bool TMainForm::CleanUp() {
    return guarded([this] {
        // Only what start-up really read may be written back: a day that was never split has
        // no report files to join, and settings that were never read must not be replaced by
        // the defaults.
        if (ReportIndex) {
            RejoinAnalysis(setup_.folders.InstallFolder, *ReportIndex);
            ReportIndex.reset();
        }
        if (settingsReady_) {
            WriteSettings(setup_.folders.file(files::Settings), settings_);
            writeInstallationState(setup_.folders.file(files::InstallationState), installation_);
        }
    });
}

} // namespace analysis
