// The print mode selector and the print commands of the main window.
#include "gui/main_form.h"

#include "gui/print_progress.h"
#include "gui/printer_x_form.h"
#include "gui/up_down.h"
#include "gui/wait_cursor.h"

#include "core/day/print_job.h"
#include "core/document/list_choices.h"
#include "core/print/print_file.h"
#include "core/print/print_modes.h"
#include "platform/cups_spooler.h"
#include "platform/qt_canvas.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>

#include <algorithm>
#include <chrono>

namespace analysis {
namespace {

/// The moment as the desktop tells it: the clock in the user's long time format, turned into
/// the 24-hour text the stamp carries.
class DesktopJobClock : public JobClock {
public:
    JobMoment now() const override {
        QDateTime now = QDateTime::currentDateTime();
        QDate today = now.date();
        JobMoment moment;
        moment.weekdayDigit = weekdayDigit(
            std::chrono::sys_days{std::chrono::year{today.year()} / today.month() / today.day()});
        moment.clockText =
            clockText(QLocale::system().toString(now.time(), QLocale::LongFormat).toStdString());
        return moment;
    }
};

} // namespace

void TMainForm::showPrintMode() {
    std::string_view label = PrintModeTable[static_cast<std::size_t>(print_.fontMode)];
    SpinFont->setText(QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size())));
}

void TMainForm::FontSelectClick() {
    // The arrows run opposite to the modes: position 7 is mode 0.
    print_.fontMode = 7 - FontSelect->position();
    showPrintMode();
    PrintButton->setEnabled(true);
    PclPaper paper = printerXForm_->paper();
    print_.legal = paper.legal;
    print_.duplex = paper.duplex;
    session_.settings().PrintOptions = printOptionsWord(print_);
}

void TMainForm::SpinFontDblClick() {
    if (isPclMode(print_.fontMode)) {
        printerXForm_->exec();
        return;
    }
    // The print dialog chooses the printer, its paper and the orientation the canvas starts
    // from; the printer chosen is the current one for every kind of printing.
    printer_->setPrinterName(QString::fromStdString(setup_.printers.currentName()));
    QPrintDialog dialog(printer_.get(), this);
    dialog.setObjectName("PrinterSetupDialog1");
    dialog.setWindowTitle("Printer Setup");
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto& names = setup_.printers.names;
    auto chosen = std::find(names.begin(), names.end(), printer_->printerName().toStdString());
    if (chosen != names.end()) {
        setup_.printers.current = static_cast<int>(chosen - names.begin());
        printerXForm_->showCurrentPrinter();
    }
}

PrintJobRequest TMainForm::tickedJob() const {
    PrintJobRequest request;
    request.reportFiles = tickedReportFiles(setup_.folders.InstallFolder, currentReportList());
    // Each job takes legal paper and duplex from the PCL printer options as they stand.
    PclPaper paper = printerXForm_->paper();
    request.settings = {print_.fontMode, paper.legal, paper.duplex};
    return request;
}

PrintJobRequest TMainForm::currentViewJob() const {
    PrintJobRequest request;
    request.stamped = false;
    if (!ViewFile.empty())
        request.reportFiles.push_back(ViewFile);
    request.settings = print_;
    return request;
}

void TMainForm::PrintButtonClick() {
    runPrint(tickedJob());
}

void TMainForm::Quickie() {
    runPrint(currentViewJob());
}

void TMainForm::runPrint(const PrintJobRequest& request) {
    if (request.stamped && request.reportFiles.empty()) {
        say("Nothing is ticked to print");
        return;
    }
    PrintButton->setEnabled(false);
    // The button comes back however the job ends, even by an error the job could not name.
    auto enableButton = qScopeGuard([this] { PrintButton->setEnabled(true); });
    std::string printerName = setup_.printers.currentName();
    PrintJobOutcome outcome;
    {
        WaitCursor waiting;
        printer_->setPrinterName(QString::fromStdString(printerName));
        QtPrinterCanvas qtCanvas(*printer_);
        CupsSpooler cupsSpooler;
        // Progress shows on the status line; the window repaints but takes no input meanwhile.
        ProgressReport progress = [this](const QString& text) {
            statusBar()->showMessage(text);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };
        ProgressCanvas canvas(qtCanvas, progress);
        ProgressSpooler spooler(cupsSpooler, progress);
        DesktopJobClock clock;
        PrintJobContext context{setup_.folders.InstallFolder,
                                clock,
                                session_.installation(),
                                setup_.folders.file(files::InstallationState),
                                PrintDevices{canvas, spooler, printerName},
                                [this] { PrintCounter->setText("----"); }};
        outcome = runPrintJob(request, context);
    }
    statusBar()->clearMessage();
    if (outcome.status != PrintJobOutcome::Status::NothingToPrint) {
        print_.legal = request.settings.legal;
        print_.duplex = request.settings.duplex;
        if (outcome.pageIsLong)
            print_.legal = *outcome.pageIsLong;
    }
    if (outcome.status == PrintJobOutcome::Status::Printed) {
        PrintCounter->setText("-OK-");
        say(outcome.jobNumberText.empty()
                ? QString("Printed on %1").arg(QString::fromStdString(printerName))
                : QString("Job %1 printed on %2")
                      .arg(QString::fromStdString(outcome.jobNumberText),
                           QString::fromStdString(printerName)));
    }
    if (outcome.status == PrintJobOutcome::Status::Failed) {
        PrintCounter->setText("FAIL");
        setup_.showWarning(printFailureText(outcome, isPclMode(request.settings.fontMode)));
    }
}

QString TMainForm::printFailureText(const PrintJobOutcome& outcome, bool pclMode) const {
    if (setup_.printers.names.empty())
        return "Nothing was printed: no printer is installed. Add one in the system's printer "
               "settings (for example Settings > Printers, or the CUPS page at "
               "http://localhost:631), then start Analysis again.";
    if (outcome.printerName.empty())
        return pclMode ? "Nothing was printed: no printer is chosen. Choose one in PCL Printer "
                         "Options (click the print mode)."
                       : "Nothing was printed: no printer is chosen. Choose one with a click on "
                         "the print mode.";
    QString printer = QString::fromStdString(outcome.printerName);
    QString reason = QString::fromStdString(outcome.failure);
    if (reason.endsWith(':') || reason.endsWith(": "))
        reason += " the printer gave no reason";
    if (!reason.contains(printer))
        reason = QString("Printer \"%1\": %2").arg(printer, reason);
    return "The print job failed. " + reason;
}

} // namespace analysis
