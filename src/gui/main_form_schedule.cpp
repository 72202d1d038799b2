// The schedule print and its layout options.
#include "gui/main_form.h"

#include "gui/cp437_text.h"
#include "gui/simo_opts.h"

#include "core/common/file_io.h"
#include "core/schedule/schedule_print.h"
#include "core/schedule/schedule_table.h"
#include "platform/qt_canvas.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>

namespace analysis {
namespace {

std::vector<std::string> tickedReportCodes(const QListWidget& list) {
    std::vector<std::string> codes;
    for (int row = 0; row < list.count(); ++row) {
        const QListWidgetItem* item = list.item(row);
        if (!item->text().isEmpty() && item->checkState() == Qt::Checked)
            codes.push_back(item->text().toStdString());
    }
    return codes;
}

} // namespace

void TMainForm::optionsClick() {
    if (std::optional<ScheduleLayoutOptions> chosen = simoOpts_->edit(SimoLayout))
        SimoLayout = *chosen;
}

void TMainForm::PrintSimoClick() {
    bool printing = false;
    guarded([this, &printing] {
        const auto file = setup_.folders.file(files::Schedule);
        ExtractSchedule(session_.scheduleLines(), tickedReportCodes(*ReportListBox), file);
        // The viewer shows the extracted schedule; ViewFile stays on the report it showed.
        MainMemo->setPlainText(textFromCp437(readFile(file)));
        const std::vector<std::string> lines = LoadSchedule(file);
        if (lines.empty())
            return;
        printing = true;
        ScheduleLayoutOptions layout = SimoLayout;
        layout.SimoTwoUp = simoOpts_->twoUpTicked();
        printSchedule(lines, layout);
    });
    if (printing && !ViewFile.empty())
        guarded([this] { showFile(ViewFile); });
}

void TMainForm::printSchedule(const std::vector<std::string>& lines,
                              const ScheduleLayoutOptions& layout) {
    const std::string printerName = setup_.printers.currentName();
    if (printerName.empty())
        throw PrinterError("The schedule cannot be printed: no printer is installed");
    const QString name = QString::fromStdString(printerName);
    printer_->setPrinterName(name);
    if (printer_->printerName() != name)
        throw PrinterError("Printer " + printerName +
                           " could not print the schedule: the printer is not available");
    try {
        // The orientation stays as the last canvas print left it.
        QtPrinterCanvas canvas(*printer_);
        PrintSchedule(canvas, lines, layout, RaceDate->text().toLatin1().toStdString());
    } catch (const PrinterError& error) {
        throw PrinterError("Printer " + printerName +
                           " could not print the schedule: " + error.what());
    }
}

} // namespace analysis
