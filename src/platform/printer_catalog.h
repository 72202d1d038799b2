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

} // namespace analysis
