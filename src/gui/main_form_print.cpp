// The print mode selector and the print commands of the main window.
#include "gui/main_form.h"

#include "gui/printer_x_form.h"
#include "gui/up_down.h"

#include "core/print/canvas/print_modes.h"
#include "core/print/print_file.h"
#include "core/print/print_job.h"
#include "platform/cups_spooler.h"
#include "platform/qt_canvas.h"

#include <QDateTime>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>

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
    printer_->setPrinterName(QString::fromStdString(setup_.printers.currentName()));
    QPageSetupDialog(printer_.get(), this).exec();
}

void TMainForm::PrintButtonClick() {
    PrintJobRequest request;
    for (int row = 0; row < ReportListBox->count(); ++row) {
        QListWidgetItem* item = ReportListBox->item(row);
        if (!item->text().isEmpty() && item->checkState() == Qt::Checked)
            request.reportFiles.push_back(setup_.folders.file(item->text().toStdString()));
    }
    // Each job takes legal paper and duplex from the PCL printer options as they stand.
    PclPaper paper = printerXForm_->paper();
    request.settings = {print_.fontMode, paper.legal, paper.duplex};
    runPrint(request);
}

void TMainForm::Quickie() {
    PrintJobRequest request;
    request.stamped = false;
    if (!ViewFile.empty())
        request.reportFiles.push_back(ViewFile);
    request.settings = print_;
    runPrint(request);
}

void TMainForm::runPrint(const PrintJobRequest& request) {
    PrintButton->setEnabled(false);
    std::string printerName = setup_.printers.currentName();
    printer_->setPrinterName(QString::fromStdString(printerName));
    QtPrinterCanvas canvas(*printer_);
    CupsSpooler spooler;
    DesktopJobClock clock;
    PrintJobContext context{setup_.folders.InstallFolder,
                            clock,
                            session_.installation(),
                            setup_.folders.file(files::InstallationState),
                            PrintDevices{canvas, spooler, printerName},
                            [this] { PrintCounter->setText("----"); }};

    PrintJobOutcome outcome = runPrintJob(request, context);
    if (outcome.status != PrintJobOutcome::Status::NothingToPrint) {
        print_.legal = request.settings.legal;
        print_.duplex = request.settings.duplex;
        if (outcome.pageIsLong)
            print_.legal = *outcome.pageIsLong;
    }
    if (outcome.status == PrintJobOutcome::Status::Printed)
        PrintCounter->setText("-OK-");
    if (outcome.status == PrintJobOutcome::Status::Failed) {
        QString message = QString::fromStdString(outcome.failure);
        if (outcome.printerName.empty())
            message += isPclMode(request.settings.fontMode)
                           ? ": choose one in PCL Printer Options (click the print mode)"
                           : "";
        setup_.showMessage(message);
    }
    PrintButton->setEnabled(true);
}

} // namespace analysis
