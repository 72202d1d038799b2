// The print mode selector and the print commands of the main window.
#include "gui/main_form.h"

#include "gui/job_follower.h"
#include "gui/print_progress.h"
#include "gui/printer_x_form.h"
#include "gui/up_down.h"
#include "gui/wait_cursor.h"
#include "platform/output_targets.h"

#include "core/day/print_job.h"
#include "core/print/print_file.h"
#include "core/print/print_modes.h"
#include "platform/cups_spooler.h"
#include "platform/qt_canvas.h"

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
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
#include <utility>

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

void TMainForm::FontSelectClick() {
    // The arrows run opposite to the modes: position 7 is mode 0.
    session_.chooseMode(7 - FontSelect->position());
    PrintButton->setEnabled(true);
    render();
}

void TMainForm::SpinFontDblClick() {
    const PrinterChoice& printers = session_.day().print.printers;
    if (isPclMode(session_.day().print.current.fontMode)) {
        printerXForm_->exec();
        return;
    }
    // The print dialog chooses the printer, its paper and the orientation the canvas starts
    // from; the printer chosen is the current one for every kind of printing.
    printer_->setPrinterName(QString::fromStdString(printers.currentName()));
    QPrintDialog dialog(printer_.get(), this);
    dialog.setObjectName("PrinterSetupDialog1");
    dialog.setWindowTitle("Printer Setup");
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // It chooses the printer and its paper; printing is PRINT's, so its button says so.
    for (QDialogButtonBox* buttons : dialog.findChildren<QDialogButtonBox*>())
        if (QPushButton* confirm = buttons->button(QDialogButtonBox::Ok))
            confirm->setText("&Use This Printer");
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto& names = printers.names;
    auto chosen = std::find(names.begin(), names.end(), printer_->printerName().toStdString());
    if (chosen != names.end()) {
        session_.choosePrinter(static_cast<int>(chosen - names.begin()));
        render();
    }
}

void TMainForm::PrintButtonClick() {
    const PrintJobRequest job = session_.tickedJob();
    if (bigJobConfirmed(job))
        runPrint(job);
}

void TMainForm::Quickie() {
    const PrintJobRequest job = session_.currentViewJob();
    if (bigJobConfirmed(job))
        runPrint(job);
}

bool TMainForm::bigJobConfirmed(const PrintJobRequest& request) {
    expectedPages_ = 0;
    if (request.reportFiles.empty())
        return true;
    // The pages are laid out as the preview lays them out, which is fast even for a heavy day.
    std::unique_ptr<PreviewPages> pages;
    const bool laidOut = guarded([this, &request, &pages] {
        WaitCursor waiting;
        printer_->setPrinterName(
            QString::fromStdString(session_.day().print.printers.currentName()));
        PreviewOutput layout(*printer_);
        if (session_.output(request, layout).status == PrintJobOutcome::Status::Printed)
            pages = layout.takePages();
    });
    // A print whose pages cannot be laid out here says why when it runs.
    if (!laidOut || !pages)
        return true;
    expectedPages_ = pages->count();
    if (pages->sheetCount() <= *setup_.bigJobSheets)
        return true;
    return setup_.confirmBigJob(
        pages->sheetCount(), QString::fromStdString(session_.day().print.printers.currentName()));
}

void TMainForm::runPrint(const PrintJobRequest& request) {
    if (request.stamped && request.reportFiles.empty()) {
        say("Nothing is ticked to print");
        return;
    }
    PrintButton->setEnabled(false);
    // The button comes back however the job ends, even by an error the job could not name.
    auto enableButton = qScopeGuard([this] { PrintButton->setEnabled(true); });
    const std::string printerName = session_.day().print.printers.currentName();
    // The newest job of ours on the printer before and after: the one this print made,
    // whichever engine sent it.
    // The pages laid out before the print, if it was, are what its progress counts to.
    const int pages = std::exchange(expectedPages_, 0);
    const int jobBefore = printerName.empty() ? 0 : setup_.newestJob(printerName);
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
        ProgressCanvas canvas(qtCanvas, progress, pages);
        ProgressSpooler spooler(cupsSpooler, progress);
        DesktopJobClock clock;
        outcome = session_.print(request, canvas, spooler, clock,
                                 [this] { PrintCounter->setText("----"); });
    }
    statusBar()->clearMessage();
    render();
    if (outcome.status == PrintJobOutcome::Status::Printed) {
        PrintCounter->setText("-OK-");
        // Handed to the print server is what is known here; the printer may still be busy.
        QString sent = outcome.jobNumberText.empty()
                           ? QString("Sent to %1").arg(QString::fromStdString(printerName))
                           : QString("Job %1 sent to %2")
                                 .arg(QString::fromStdString(outcome.jobNumberText),
                                      QString::fromStdString(printerName));
        if (!outcome.message.empty())
            sent += ". " + QString::fromStdString(outcome.message);
        say(sent);
        if (const int job = setup_.newestJob(printerName); job > jobBefore)
            followJob(job, printerName, outcome.jobNumberText, pages);
    }
    if (outcome.status == PrintJobOutcome::Status::Failed) {
        PrintCounter->setText("FAIL");
        setup_.showWarning(printFailureText(outcome, isPclMode(request.settings.fontMode)));
    }
}

void TMainForm::followJob(int id, const std::string& printer, const std::string& jobNumber,
                          int pages) {
    if (followedJob_ != nullptr)
        followedJob_->deleteLater();
    followedJob_ = new JobFollower(id, printer, jobNumber, pages, setup_.lookupJob, this);
    cancelAsked_ = false;
    cancelJob_->setEnabled(true);
    connect(followedJob_, &JobFollower::progress, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    connect(followedJob_, &JobFollower::ended, this,
            [this](const ServerJob& job, const QString& text) {
                cancelJob_->setEnabled(false);
                if (job.phase == ServerJob::Phase::Completed ||
                    (cancelAsked_ && job.phase == ServerJob::Phase::Canceled)) {
                    say(text);
                    return;
                }
                // Said once, plainly: the printer did not print what it was sent.
                statusBar()->clearMessage();
                PrintCounter->setText("FAIL");
                setup_.showWarning(text);
            });
}

void TMainForm::cancelFollowedJob() {
    if (followedJob_ == nullptr)
        return;
    if (!setup_.cancelJob(followedJob_->id())) {
        setup_.showWarning(
            QString("The print server did not cancel job %1: it may have ended already, or the "
                    "server cannot be reached.")
                .arg(followedJob_->id()));
        return;
    }
    cancelAsked_ = true;
    statusBar()->showMessage("Canceling the print job...");
}

QString TMainForm::printFailureText(const PrintJobOutcome& outcome, bool pclMode) const {
    if (session_.day().print.printers.names.empty())
        return "Nothing was printed: no printer is installed. Add one in the system's printer "
               "settings (for example Settings > Printers, or the CUPS page at "
               "http://localhost:631), then start Analysis again.";
    if (outcome.printerName.empty())
        return pclMode ? "Nothing was printed: no printer is chosen. Choose one in PCL Printer "
                         "Options (click the print mode)."
                       : "Nothing was printed: no printer is chosen. Choose one with a click on "
                         "the print mode.";
    QString printer = QString::fromStdString(outcome.printerName);
    QString reason = QString::fromStdString(outcome.message);
    if (reason.endsWith(':') || reason.endsWith(": "))
        reason += " the printer gave no reason";
    if (!reason.contains(printer))
        reason = QString("Printer \"%1\": %2").arg(printer, reason);
    return "The print job failed. " + reason;
}

} // namespace analysis
