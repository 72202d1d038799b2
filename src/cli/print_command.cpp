// analysis-tool print: stamps the report files into a print file and prints it in a print mode
// on a CUPS printer, as the program's Print button does.
#include "cli/print_command.h"

#include "cli/arguments.h"
#include "cli/gui_application.h"
#include "core/app/install_folders.h"
#include "core/app/installation_state.h"
#include "core/print/print_dispatch.h"
#include "core/print/print_file.h"
#include "platform/cups_spooler.h"
#include "platform/printer_catalog.h"
#include "platform/qt_canvas.h"

#include <QPrinter>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <vector>

namespace analysis::cli {
namespace {

constexpr const char* Usage =
    "usage: analysis-tool print [--mode 0-7] [--printer NAME] [--legal] [--duplex] FILE...\n"
    "  Prints the report files as one print job: identification lines stamped with the time\n"
    "  and the job number, then the mode's engine (0-3 drawn on the printer, 4-7 raw PCL) on\n"
    "  the CUPS queue NAME (default: the system's default queue). The job number continues the\n"
    "  installation's counter when the user has an installation. Default mode: 2.\n";

/// A folder of its own for the job's temporary print files, removed afterwards.
class JobFolder {
public:
    JobFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "analysis-print-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr)
            throw IoError::fromErrno(errno, pattern);
        path_ = pattern;
    }
    ~JobFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    JobFolder(const JobFolder&) = delete;
    JobFolder& operator=(const JobFolder&) = delete;
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

int parseMode(const std::string& text) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '7')
        throw UsageError("--mode takes a print mode from 0 to 7, not " + text);
    return text[0] - '0';
}

/// The next job number: the installation's counter moves on when there is an installation.
std::string nextJobNumber() {
    InstallFolders folders = installFoldersFor(userProfileFromEnvironment());
    std::error_code error;
    if (!std::filesystem::is_directory(folders.InstallFolder / "Exec", error))
        return jobCounterText(1);
    auto file = folders.file(files::InstallationState);
    InstallationState state = readInstallationState(file);
    state.JobCounter = static_cast<std::uint16_t>((state.JobCounter + 1) % 10000);
    writeInstallationState(file, state);
    return jobCounterText(state.JobCounter);
}

JobStamp stampOfNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char clock[9];
    std::strftime(clock, sizeof clock, "%H:%M:%S", &local);
    JobStamp stamp;
    stamp.weekdayDigit = weekdayDigit(std::chrono::sys_days{
        std::chrono::year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday});
    stamp.clockText = clock;
    stamp.jobNumberText = nextJobNumber();
    return stamp;
}

int printVerb(Arguments& arguments, std::ostream&, std::ostream&) {
    auto mode = arguments.option("--mode");
    auto printer = arguments.option("--printer");
    PrintRequest request;
    request.fontMode = mode ? parseMode(*mode) : 2;
    request.legal = arguments.flag("--legal");
    request.duplex = arguments.flag("--duplex");
    std::vector<std::string> words = arguments.finish(1, std::numeric_limits<std::size_t>::max());

    std::string printerName;
    if (printer) {
        printerName = *printer;
    } else {
        std::vector<std::string> printers = installedPrinters();
        int index = defaultPrinterIndex(printers);
        if (index >= 0)
            printerName = printers[static_cast<std::size_t>(index)];
    }

    JobFolder folder;
    std::vector<std::filesystem::path> files(words.begin(), words.end());
    JobStamp stamp = stampOfNow();
    writePrintFile(files, folder / "Analysis.PRN", &stamp);

    GuiApplication application;
    QPrinter qprinter(QPrinter::HighResolution);
    qprinter.setPrinterName(QString::fromStdString(printerName));
    QtPrinterCanvas canvas(qprinter);
    CupsSpooler spooler;
    PrintDevices devices{canvas, spooler, printerName};
    printInMode(request, folder / "Analysis.PRN", folder / "Analysis.PCL", devices);
    return 0;
}

} // namespace

int runPrintCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    return runVerb(args, out, err, Usage, printVerb);
}

} // namespace analysis::cli
