// One print of report files, from the files to the printer: the job of the Print button and
// the print of the report in view. The window and analysis-tool only gather the inputs and
// show the outcome.
#pragma once

#include "core/day/outcome.h"
#include "core/day/print_output.h"
#include "core/installation/installation_state.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace analysis {

/// When a job is stamped: the weekday digit ("1" Monday .. "7" Sunday) and the 24-hour clock
/// text "HH:MM:SS".
struct JobMoment {
    char weekdayDigit = '1';
    std::string clockText;
};

/// Tells the moment a job is stamped with; tests fix it.
class JobClock {
public:
    virtual ~JobClock() = default;
    virtual JobMoment now() const = 0;
};

/// The system's local time, 24-hour.
class SystemJobClock : public JobClock {
public:
    JobMoment now() const override;
};

/// What to print.
struct PrintJobRequest {
    /// The report files in list order; a file that no longer exists is skipped.
    std::vector<std::filesystem::path> reportFiles;
    PrintSettings settings;
    /// The Print button's job: counted, and every identification line stamped. The print of
    /// the report in view is neither; it prints even with no file (an empty document).
    bool stamped = true;
};

/// Where and with what a job runs.
struct PrintJobContext {
    /// The folder of the job's temporary files "Analysis.PRN" and "Analysis.PCL".
    std::filesystem::path workFolder;
    const JobClock& clock;
    /// The job counter; kept in installationFile at once when one is given.
    InstallationState& installation;
    std::optional<std::filesystem::path> installationFile;
    /// The printer, a PDF file or a preview.
    OutputTarget& target;
    /// Called once the print file is complete, just before the engine starts.
    std::function<void()> printFileReady;
};

enum class PrintJobStatus {
    NothingToPrint, ///< a stamped job without report files: nothing happened at all
    Printed,        ///< the engine handed every page to the target
    Failed,         ///< stopped by the reason in the message; nothing more was printed
};

/// How a job ended. The message is what stopped it, worded for the user (it names the printer or
/// the file at fault); for a job handed to a paused printer, it says that the job waits.
struct [[nodiscard]] PrintJobOutcome : Outcome<PrintJobStatus> {
    using Status = PrintJobStatus;
    /// The number the job was counted and stamped with; empty when it was not counted.
    std::string jobNumberText;
    /// The canvas engine's page-shape test, when it printed a report: the legal-paper flag the
    /// print leaves behind.
    std::optional<bool> pageIsLong;
    /// The printer the job went to; empty when none is chosen or the target is no printer.
    std::string printerName;
};

/// Runs one job: asks what the printer's server says of it first (a printer that does not
/// accept jobs ends the job before anything is counted, stamped or sent), counts it (stamped
/// jobs only), writes the print file, prints it in the mode's engine onto the context's target,
/// and removes the temporary files whatever happened. Every failure, of a file or of the
/// printer, ends in a Failed outcome rather than an exception.
PrintJobOutcome runPrintJob(const PrintJobRequest& request, PrintJobContext& context);

} // namespace analysis
