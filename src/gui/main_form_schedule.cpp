// The schedule print and its layout options.
#include "gui/main_form.h"

#include "gui/simo_opts.h"

#include "platform/qt_canvas.h"

#include <QPrinter>

namespace analysis {
namespace {

/// The current printer as the schedule print reaches it; every failure names the printer.
class SchedulePrinter : public OutputTarget {
public:
    SchedulePrinter(QPrinter& printer, std::string name)
        : printer_(printer), name_(std::move(name)) {}

    void drawn(const std::function<void(PrinterCanvas&)>& draw) override {
        if (name_.empty())
            throw PrinterError("The schedule cannot be printed: no printer is installed");
        const QString name = QString::fromStdString(name_);
        printer_.setPrinterName(name);
        if (printer_.printerName() != name)
            throw PrinterError("Printer " + name_ +
                               " could not print the schedule: the printer is not available");
        try {
            // The orientation stays as the last canvas print left it.
            QtPrinterCanvas canvas(printer_);
            draw(canvas);
        } catch (const PrinterError& error) {
            throw PrinterError("Printer " + name_ +
                               " could not print the schedule: " + error.what());
        }
    }
    void composed(const std::filesystem::path&) override {}
    std::string printerName() const override { return name_; }

private:
    QPrinter& printer_;
    std::string name_;
};

} // namespace

void TMainForm::optionsClick() {
    if (std::optional<ScheduleLayoutOptions> chosen = simoOpts_->edit(session_.day().simoLayout))
        session_.chooseScheduleLayout(*chosen);
    session_.chooseScheduleTwoUpBox(simoOpts_->twoUpTicked());
}

void TMainForm::PrintSimoClick() {
    guarded([this] {
        const std::vector<std::string> lines = session_.extractSchedule();
        // The viewer shows the extracted schedule while it prints.
        render();
        if (!lines.empty())
            printSchedule(lines);
    });
    render();
}

void TMainForm::printSchedule(const std::vector<std::string>& lines) {
    SchedulePrinter printer(*printer_, session_.day().print.printers.currentName());
    session_.printSchedule(lines, printer);
}

} // namespace analysis
