// One print of report files, from the files to the printer.
#include "core/day/print_job.h"

#include "core/common/file_io.h"
#include "core/installation/install_folders.h"
#include "core/print/print_file.h"

#include <chrono>
#include <ctime>
#include <exception>
#include <new>

namespace analysis {

JobMoment SystemJobClock::now() const {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char clock[9];
    std::strftime(clock, sizeof clock, "%H:%M:%S", &local);
    JobMoment moment;
    moment.weekdayDigit = weekdayDigit(std::chrono::sys_days{
        std::chrono::year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday});
    moment.clockText = clock;
    return moment;
}

namespace {

/// The job's temporary files, gone when the job is, however it ends.
class JobFiles {
public:
    explicit JobFiles(const std::filesystem::path& folder)
        : printFile(folder / files::PrintFile), pclFile(folder / files::PclFile) {}
    ~JobFiles() {
        std::error_code ignored;
        std::filesystem::remove(printFile, ignored);
        std::filesystem::remove(pclFile, ignored);
    }
    JobFiles(const JobFiles&) = delete;
    JobFiles& operator=(const JobFiles&) = delete;

    const std::filesystem::path printFile;
    const std::filesystem::path pclFile;
};

} // namespace

PrintJobOutcome runPrintJob(const PrintJobRequest& request, PrintJobContext& context) {
    PrintJobOutcome outcome;
    outcome.printerName = context.target.printerName();
    if (request.stamped && request.reportFiles.empty())
        return outcome;
    std::optional<PrinterState> state;
    try {
        state = context.target.printerState();
    } catch (const std::exception&) {
        // A server that cannot say is no reason to hold the job back: sending it will tell.
    }
    if (state && !state->acceptingJobs) {
        outcome.status = PrintJobOutcome::Status::Failed;
        outcome.message = "Printer \"" + outcome.printerName + "\" does not accept jobs" +
                          inParentheses(state->reason) +
                          ". Nothing was sent and the job was not counted.";
        return outcome;
    }
    try {
        JobFiles files(context.workFolder);
        if (request.stamped) {
            JobMoment moment = context.clock.now();
            JobStamp stamp{moment.weekdayDigit, moment.clockText, {}};
            const std::filesystem::path* keepIn =
                context.installationFile ? &*context.installationFile : nullptr;
            stamp.jobNumberText = countJob(context.installation, keepIn);
            outcome.jobNumberText = stamp.jobNumberText;
            writePrintFile(request.reportFiles, files.printFile, &stamp);
        } else {
            writePrintFile(request.reportFiles, files.printFile, nullptr);
        }
        if (context.printFileReady)
            context.printFileReady();
        outcome.pageIsLong =
            printInMode(request.settings, files.printFile, files.pclFile, context.target);
        outcome.status = PrintJobOutcome::Status::Printed;
        if (state && state->stopped)
            outcome.message = "The job waits: " + outcome.printerName + " is paused" +
                              inParentheses(state->reason) + ".";
    } catch (const std::bad_alloc&) {
        outcome.status = PrintJobOutcome::Status::Failed;
        outcome.message = "Not enough memory to print this job";
    } catch (const std::exception& error) {
        outcome.status = PrintJobOutcome::Status::Failed;
        outcome.message = error.what();
    }
    return outcome;
}

} // namespace analysis
