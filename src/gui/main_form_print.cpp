// The print mode selector and the print commands of the main window.
#include "gui/main_form.h"

#include "gui/printer_x_form.h"
#include "gui/up_down.h"

#include "core/common/file_io.h"
#include "core/print/print_dispatch.h"
#include "core/print/print_file.h"
#include "core/print/print_modes.h"
#include "platform/cups_spooler.h"
#include "platform/qt_canvas.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>

#include <chrono>

namespace analysis {

void TMainForm::showPrintMode() {
    std::string_view label = PrintModeTable[static_cast<std::size_t>(FontMode)];
    SpinFont->setText(QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size())));
}

void TMainForm::FontSelectClick() {
    // The arrows run opposite to the modes: position 7 is mode 0.
    FontMode = 7 - FontSelect->position();
    showPrintMode();
    PrintButton->setEnabled(true);
    LegalFlag = printerXForm_->LegalBox->isChecked();
    DuplexFlag = printerXForm_->DuplexBox->isChecked();
    settings_.PrintOptions = makePrintOptions(FontMode, LegalFlag, DuplexFlag);
}

void TMainForm::SpinFontDblClick() {
    if (isPclMode(FontMode)) {
        printerXForm_->exec();
        return;
    }
    printer_->setPrinterName(QString::fromStdString(setup_.printers.currentName()));
    QPageSetupDialog(printer_.get(), this).exec();
}

void TMainForm::PrintButtonClick() {
    PrintButton->setEnabled(false);
    std::vector<std::filesystem::path> ticked;
    for (int row = 0; row < ReportListBox->count(); ++row) {
        QListWidgetItem* item = ReportListBox->item(row);
        if (!item->text().isEmpty() && item->checkState() == Qt::Checked)
            ticked.push_back(setup_.folders.file(item->text().toStdString()));
    }
    if (ticked.empty()) {
        PrintButton->setEnabled(true);
        return;
    }
    bool ready = guarded([this, &ticked] {
        QDateTime now = QDateTime::currentDateTime();
        QDate today = now.date();
        JobStamp stamp;
        stamp.weekdayDigit = weekdayDigit(
            std::chrono::sys_days{std::chrono::year{today.year()} / today.month() / today.day()});
        stamp.clockText =
            clockText(QLocale::system().toString(now.time(), QLocale::LongFormat).toStdString());
        // The number is stamped on paper from here on: count it and keep it at once, so a
        // failed or interrupted job never hands the same number out twice.
        installation_.JobCounter =
            static_cast<std::uint16_t>((installation_.JobCounter + 1) % 10000);
        stamp.jobNumberText = jobCounterText(installation_.JobCounter);
        writeInstallationState(setup_.folders.file(files::InstallationState), installation_);

        writePrintFile(ticked, setup_.folders.file(files::PrintFile), &stamp);
        PrintCounter->setText("----");
        LegalFlag = printerXForm_->LegalBox->isChecked();
        DuplexFlag = printerXForm_->DuplexBox->isChecked();
    });
    finishPrint(ready);
}

void TMainForm::Quickie() {
    PrintButton->setEnabled(false);
    bool ready = guarded([this] {
        std::vector<std::filesystem::path> viewed;
        if (!ViewFile.empty())
            viewed.push_back(ViewFile);
        writePrintFile(viewed, setup_.folders.file(files::PrintFile), nullptr);
    });
    finishPrint(ready);
}

void TMainForm::finishPrint(bool printFileReady) {
    bool printed = printFileReady && guarded([this] {
                       std::string printerName = setup_.printers.currentName();
                       printer_->setPrinterName(QString::fromStdString(printerName));
                       QtPrinterCanvas canvas(*printer_);
                       CupsSpooler spooler;
                       PrintDevices devices{canvas, spooler, printerName};
                       auto pageIsLong = printInMode({FontMode, LegalFlag, DuplexFlag},
                                                     setup_.folders.file(files::PrintFile),
                                                     setup_.folders.file(files::PclFile), devices);
                       if (pageIsLong)
                           LegalFlag = *pageIsLong;
                   });
    removePrintFiles();
    if (printed)
        PrintCounter->setText("-OK-");
    PrintButton->setEnabled(true);
}

void TMainForm::removePrintFiles() {
    guarded([this] {
        DeleteIfExists(setup_.folders.file(files::PrintFile));
        DeleteIfExists(setup_.folders.file(files::PclFile));
    });
}

} // namespace analysis
