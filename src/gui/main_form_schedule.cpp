// The schedule print and its layout options.
#include "gui/main_form.h"

#include "gui/simo_opts.h"

#include "core/schedule/schedule_print.h"
#include "platform/qt_canvas.h"

#include <QPrinter>

namespace analysis {

void TMainForm::optionsClick() {
    if (std::optional<ScheduleLayoutOptions> chosen = simoOpts_->edit(session_.day().SimoLayout))
        session_.chooseScheduleLayout(*chosen);
    session_.chooseScheduleTwoUpBox(simoOpts_->twoUpTicked());
}

void TMainForm::PrintSimoClick() {
    bool printing = false;
    guarded([this, &printing] {
        const std::vector<std::string> lines = session_.extractSchedule();
        // The viewer shows the extracted schedule while it prints.
        render();
        if (lines.empty())
            return;
        printing = true;
        ScheduleLayoutOptions layout = session_.day().SimoLayout;
        layout.SimoTwoUp = session_.day().SimoTwoUpBox;
        printSchedule(lines, layout);
    });
    if (printing)
        guarded([this] { session_.showViewFileAgain(); });
    render();
}

void TMainForm::printSchedule(const std::vector<std::string>& lines,
                              const ScheduleLayoutOptions& layout) {
    const std::string printerName = session_.day().print.printers.currentName();
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
        PrintSchedule(canvas, lines, layout, raceDateCaption().toLatin1().toStdString());
    } catch (const PrinterError& error) {
        throw PrinterError("Printer " + printerName +
                           " could not print the schedule: " + error.what());
    }
}

} // namespace analysis
