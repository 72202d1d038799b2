// The schedule print and its layout options.
#include "gui/main_form.h"

#include "gui/simo_opts.h"

#include "platform/qt_canvas.h"

#include <QPrinter>

namespace analysis {
namespace {

/// The current printer as the schedule print reaches it: asked first what the print server
/// says of it, as every print is; every failure names the printer.
class SchedulePrinter : public OutputTarget {
public:
    SchedulePrinter(QPrinter& printer, std::string name, std::optional<PrinterState> state)
        : printer_(printer), name_(std::move(name)), state_(std::move(state)) {}

    void drawn(const std::function<void(PrinterCanvas&)>& draw) override {
        if (name_.empty())
            throw PrinterError("The schedule cannot be printed: no printer is installed");
        if (state_ && !state_->acceptingJobs)
            throw PrinterError("Printer " + name_ +
                               " could not print the schedule: it does not accept jobs" +
                               inParentheses(state_->reason));
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

    /// What the user is told of the print handed over: what it held, where it went, and that
    /// it waits when the printer is paused.
    QString sentText(std::size_t lines) const {
        QString text = QString("The schedule of %1 %2 was sent to ")
                           .arg(lines)
                           .arg(lines == 1 ? "line" : "lines") +
                       QString::fromStdString(name_);
        if (state_ && state_->stopped)
            text += QString::fromStdString(". The job waits: " + name_ + " is paused" +
                                           inParentheses(state_->reason));
        return text;
    }

private:
    QPrinter& printer_;
    std::string name_;
    std::optional<PrinterState> state_;
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
        if (lines.empty())
            say("No schedule to print: none of the ticked reports' tracks has a race in the "
                "schedule");
        else
            printSchedule(lines);
    });
    render();
}

void TMainForm::printSchedule(const std::vector<std::string>& lines) {
    const std::string name = session_.day().print.printers.currentName();
    SchedulePrinter printer(*printer_, name, session_.currentPrinterState());
    const int jobBefore = name.empty() ? 0 : setup_.newestJob(name);
    session_.printSchedule(lines, printer);
    say(printer.sentText(lines.size()));
    if (const int job = setup_.newestJob(name); job > jobBefore)
        followJob(job, name, {}, 0);
}

} // namespace analysis
