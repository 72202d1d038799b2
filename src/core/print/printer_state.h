// What the print server says of a printer before a job is sent to it.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace analysis {

struct PrinterState {
    /// The queue takes new jobs; one that refuses them would print nothing sent now.
    bool acceptingJobs = true;
    /// The queue is paused: jobs wait in it until someone resumes it.
    bool stopped = false;
    /// The server's words on the printer's state ("Rejecting Jobs", "Paused", ...); may be empty.
    std::string reason;
};

/// Asks the print server for the state of a printer by name; nothing when the server cannot
/// tell (it is unreachable, or the printer is unknown to it), and the print goes on to say so.
using PrinterStateReader = std::function<std::optional<PrinterState>(const std::string& printer)>;

} // namespace analysis
