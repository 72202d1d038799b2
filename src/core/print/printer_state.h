// What the print server says of a printer before a job is sent to it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace analysis {

struct PrinterState {
    /// The queue takes new jobs; one that refuses them would print nothing sent now.
    bool acceptingJobs = true;
    /// The queue is paused: jobs wait in it until someone resumes it.
    bool stopped = false;
    /// The server's words on the printer's state ("Rejecting Jobs", "Paused", ...); may be empty.
    std::string reason;
};

/// A job as the print server reports it, from the moment it is queued to its end.
/// The server's own words (a printer's or a job's reason) in parentheses after a blank, ready to
/// follow what the program says; nothing when the server gave none.
std::string inParentheses(const std::string& reason);

struct ServerJob {
    enum class Phase { Queued, Held, Printing, Stopped, Canceled, Aborted, Completed };
    int id = 0;
    Phase phase = Phase::Queued;
    /// Pages the printer has printed so far, when the server counts them.
    int pagesDone = 0;
    /// The server's words on the job or its printer; may be empty.
    std::string reason;

    /// The job will not change any more: printed, or never to be.
    bool ended() const {
        return phase == Phase::Canceled || phase == Phase::Aborted || phase == Phase::Completed;
    }
};

/// What the user reads of a job the server has: "Job 0001 on Office: printing page 3 of 12",
/// "Job 0001 printed on Office", "Job 0001 on Office was aborted (reason)". jobNumber may be
/// empty (an unstamped print); pages is what was sent, 0 when not known.
std::string jobProgressText(const ServerJob& job, std::string_view printer,
                            std::string_view jobNumber, int pages);

/// Asks the print server for the state of a printer by name; nothing when the server cannot
/// tell (it is unreachable, or the printer is unknown to it), and the print goes on to say so.
using PrinterStateReader = std::function<std::optional<PrinterState>(const std::string& printer)>;

} // namespace analysis
