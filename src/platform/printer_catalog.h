// The CUPS queues offered to the user, and which of them is the system's default.
#pragma once

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

} // namespace analysis
