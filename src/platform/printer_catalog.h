// The CUPS queues offered to the user, and which of them is the system's default.
#pragma once

#include "core/print/printer_state.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace analysis {

/// The names of the queues of the CUPS server, sorted by name (instances left out); empty when
/// the server has none or cannot be reached.
std::vector<std::string> installedPrinters();

/// The index of the system's default queue in printers; -1 when there is no default or it is
/// not in the list.
int defaultPrinterIndex(std::span<const std::string> printers);

/// What the CUPS server says of the queue printer now: whether it accepts jobs, whether it is
/// paused, and its state message or reasons; a queue the server does not have accepts no job.
/// Nothing when the server cannot be reached.
std::optional<PrinterState> cupsPrinterState(const std::string& printer);

/// The id of the newest job of this user on printer that the server knows of, ended or not; 0
/// when there is none. Taken before and after a print, it finds the job the print made,
/// whichever engine sent it.
int newestCupsJob(const std::string& printer);

/// The job id as the server has it now; nothing when the server cannot say.
std::optional<ServerJob> cupsJob(int id);

/// Asks the server to cancel job id; false when it refused or could not be reached.
bool cancelCupsJob(int id);

} // namespace analysis
