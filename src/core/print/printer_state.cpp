// What the user reads of a job the print server has.
#include "core/print/printer_state.h"

#include <algorithm>

namespace analysis {

std::string inParentheses(const std::string& reason) {
    return reason.empty() ? std::string() : " (" + reason + ")";
}

std::string jobProgressText(const ServerJob& job, std::string_view printer,
                            std::string_view jobNumber, int pages) {
    const std::string name =
        jobNumber.empty() ? std::string("The job") : "Job " + std::string(jobNumber);
    const std::string on = name + " on " + std::string(printer);
    const std::string because = inParentheses(job.reason);
    switch (job.phase) {
    case ServerJob::Phase::Queued:
        return on + ": queued" + because;
    case ServerJob::Phase::Held:
        return on + ": held" + because;
    case ServerJob::Phase::Printing: {
        std::string progress = on + ": printing";
        // The page after those done, never beyond the last one sent.
        int page = job.pagesDone + 1;
        if (pages > 0)
            page = std::min(page, pages);
        if (job.pagesDone > 0 || pages > 0)
            progress += " page " + std::to_string(page);
        if (pages > 0)
            progress += " of " + std::to_string(pages);
        return progress + because;
    }
    case ServerJob::Phase::Stopped:
        return on + ": stopped" + because;
    case ServerJob::Phase::Canceled:
        return on + " was canceled" + because;
    case ServerJob::Phase::Aborted:
        return on + " was aborted" + because;
    case ServerJob::Phase::Completed:
        return name + " printed on " + std::string(printer);
    }
    return on;
}

} // namespace analysis
