// analysis-tool print: a whole print job on report files, as the program's Print button runs it,
// on a CUPS printer.
#include "cli/print_command.h"

#include "cli/arguments.h"
#include "cli/gui_application.h"
#include "cli/installation_guard.h"
#include "core/common/temporary_files.h"
#include "core/day/print_job.h"
#include "core/installation/install_folders.h"
#include "core/installation/installation_state.h"
#include "core/print/print_modes.h"
#include "platform/cups_spooler.h"
#include "platform/printer_catalog.h"
#include "platform/qt_canvas.h"

#include <QPrinter>

#include <chrono>
#include <limits>
#include <thread>
#include <vector>

namespace analysis::cli {
namespace {

constexpr const char* Usage =
    "usage: analysis-tool print [--mode 0-7] [--printer NAME] [--legal] [--duplex]\n"
    "                           [--profile DIR] [--wait] FILE...\n"
    "  Prints the report files as one print job: identification lines stamped with the time\n"
    "  and the job number, then the mode's engine (0-3 drawn on the printer, 4-7 raw PCL) on\n"
    "  the CUPS queue NAME (default: the system's default queue). Default mode: 2.\n"
    "  The job number is the next of the installation in the profile folder DIR (default:\n"
    "  USERPROFILE, else HOME, as the program finds it), and is kept there; without an\n"
    "  installation there the job is number 0001 and nothing is kept.\n"
    "  Exit status: 0 when the queue took the job; 1, with a warning, when the queue is paused\n"
    "  and the job waits in it; 2 when the queue refused it.\n"
    "  --wait   follow the job until the print server ends it: 0 only when it reports the job\n"
    "           completed, 2 when it was canceled, aborted or stopped, or the server stopped\n"
    "           answering.\n";

/// How often --wait asks the server, and how long it waits for a server that stops answering.
constexpr auto WaitStep = std::chrono::milliseconds(200);
constexpr int SilentAnswersAllowed = 50;

/// Follows job id on printer until it ends; returns the verb's exit status.
int waitForJob(int id, const std::string& printer, const std::string& jobNumber, std::ostream& out,
               std::ostream& err) {
    std::string lastSaid;
    for (int silent = 0; silent < SilentAnswersAllowed;) {
        std::optional<ServerJob> job = cupsJob(id);
        if (!job) {
            ++silent;
            std::this_thread::sleep_for(WaitStep);
            continue;
        }
        silent = 0;
        const std::string said = jobProgressText(*job, printer, jobNumber, 0);
        if (job->phase == ServerJob::Phase::Completed) {
            out << said << "\n";
            return 0;
        }
        if (job->ended() || job->phase == ServerJob::Phase::Stopped) {
            err << "analysis-tool: " << said << "\n";
            return 2;
        }
        if (said != lastSaid)
            out << said << "\n" << std::flush;
        lastSaid = said;
        std::this_thread::sleep_for(WaitStep);
    }
    err << "analysis-tool: the print server stopped answering about job " << id << " on " << printer
        << "\n";
    return 2;
}

int parseMode(const std::string& text) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '7')
        throw UsageError("--mode takes a print mode from 0 to 7, not " + text);
    return text[0] - '0';
}

std::string defaultPrinter() {
    std::vector<std::string> printers = installedPrinters();
    int index = defaultPrinterIndex(printers);
    return index >= 0 ? printers[static_cast<std::size_t>(index)] : std::string();
}

int printVerb(Arguments& arguments, std::ostream& out, std::ostream& err) {
    auto mode = arguments.option("--mode");
    auto printer = arguments.option("--printer");
    auto profile = arguments.option("--profile");
    const bool wait = arguments.flag("--wait");
    PrintJobRequest request;
    request.settings.fontMode = mode ? parseMode(*mode) : 2;
    request.settings.legal = arguments.flag("--legal");
    request.settings.duplex = arguments.flag("--duplex");
    std::vector<std::string> words = arguments.finish(1, std::numeric_limits<std::size_t>::max());
    request.reportFiles.assign(words.begin(), words.end());

    InstallFolders folders = installFoldersFor(profile ? *profile : userProfileFromEnvironment());
    std::optional<std::filesystem::path> stateFile;
    InstallationState installation;
    // The job counter is the installation's: taken under its lock, like every other write.
    const auto installationLock = lockInstallationOf(folders.InstallFolder);
    std::error_code noFolder;
    if (std::filesystem::is_directory(folders.file("Exec"), noFolder)) {
        stateFile = folders.file(files::InstallationState);
        installation = readInstallationState(*stateFile);
    }

    TemporaryFolder work("analysis-print");
    SystemJobClock clock;
    GuiApplication application;
    std::string printerName = printer ? *printer : defaultPrinter();
    QPrinter qprinter(QPrinter::HighResolution);
    qprinter.setPrinterName(QString::fromStdString(printerName));
    // Qt keeps its own printer when it cannot find the one named: drawing would go elsewhere.
    if (!isPclMode(request.settings.fontMode) && !printerName.empty() &&
        qprinter.printerName().toStdString() != printerName)
        throw AnalysisError("Printer \"" + printerName + "\" is not available: the print server " +
                            cupsServerName() +
                            " does not have it or cannot be reached; nothing was sent");
    QtPrinterCanvas canvas(qprinter);
    CupsSpooler spooler;
    PrinterOutput target(canvas, spooler, printerName, cupsPrinterState);
    PrintJobContext context{work.path(), clock, installation, stateFile, target, {}};

    // The newest job of ours on the queue before and after: the print's own, whichever engine
    // sent it.
    const int before = wait ? newestCupsJob(printerName) : 0;
    PrintJobOutcome outcome = runPrintJob(request, context);
    if (outcome.status == PrintJobOutcome::Status::Failed)
        throw AnalysisError(outcome.message);
    out << "job " << outcome.jobNumberText << " sent to " << printerName << "\n";
    if (wait) {
        const int sent = newestCupsJob(printerName);
        if (sent <= before)
            throw AnalysisError("The print server " + cupsServerName() + " has no job of " +
                                printerName + " to follow");
        return waitForJob(sent, printerName, outcome.jobNumberText, out, err);
    }
    if (!outcome.message.empty()) {
        // Sent, but it will not print until the printer is resumed.
        err << "analysis-tool: warning: " << outcome.message << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int runPrintCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, Usage, printVerb);
}

} // namespace analysis::cli
