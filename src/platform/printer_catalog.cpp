// The CUPS queues offered to the user, and which of them is the system's default.
#include "platform/printer_catalog.h"

#include "platform/cups_spooler.h"

#include <cups/cups.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace analysis {

std::vector<std::string> installedPrinters() {
    cups_dest_t* dests = nullptr;
    int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        if (dests[i].instance == nullptr)
            names.emplace_back(dests[i].name);
    cupsFreeDests(count, dests);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

int defaultPrinterIndex(std::span<const std::string> printers) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (dest == nullptr)
        return -1;
    std::string name = dest->name;
    cupsFreeDests(1, dest);
    auto found = std::find(printers.begin(), printers.end(), name);
    return found == printers.end() ? -1 : static_cast<int>(found - printers.begin());
}

std::optional<PrinterState> cupsPrinterState(const std::string& printer) {
    char uri[HTTP_MAX_URI];
    if (httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                         "/printers/%s", printer.c_str()) != HTTP_URI_STATUS_OK)
        return std::nullopt;
    static const char* const wanted[] = {"printer-is-accepting-jobs", "printer-state",
                                         "printer-state-message", "printer-state-reasons"};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(wanted)), nullptr, wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (response == nullptr)
        return std::nullopt;
    std::optional<PrinterState> state;
    if (ippGetStatusCode(response) == IPP_STATUS_ERROR_NOT_FOUND) {
        // A queue the server does not have takes no job either: said before anything is counted.
        state =
            PrinterState{false, false, "no such printer on the print server " + cupsServerName()};
    } else if (ippGetStatusCode(response) <= IPP_STATUS_OK_CONFLICTING) {
        state = PrinterState{};
        if (ipp_attribute_t* accepting =
                ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
            state->acceptingJobs = ippGetBoolean(accepting, 0) != 0;
        if (ipp_attribute_t* kind = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM))
            state->stopped = ippGetInteger(kind, 0) == IPP_PSTATE_STOPPED;
        if (ipp_attribute_t* message =
                ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT);
            message != nullptr && ippGetString(message, 0, nullptr) != nullptr)
            state->reason = ippGetString(message, 0, nullptr);
        if (ipp_attribute_t* reasons =
                ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD);
            state->reason.empty() && reasons != nullptr) {
            // The keywords are for machines; "none" says nothing.
            for (int i = 0; i < ippGetCount(reasons); ++i) {
                const std::string reason = ippGetString(reasons, i, nullptr);
                if (reason == "none")
                    continue;
                state->reason += (state->reason.empty() ? "" : ", ") + reason;
            }
        }
    }
    ippDelete(response);
    return state;
}

int newestCupsJob(const std::string& printer) {
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, printer.c_str(), 1, CUPS_WHICHJOBS_ALL);
    int newest = 0;
    for (int i = 0; i < count; ++i)
        newest = std::max(newest, jobs[i].id);
    cupsFreeJobs(count, jobs);
    return newest;
}

std::optional<ServerJob> cupsJob(int id) {
    static const char* const wanted[] = {"job-state", "job-impressions-completed",
                                         "job-printer-state-message"};
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    std::snprintf(uri, sizeof uri, "ipp://localhost/jobs/%d", id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(wanted)), nullptr, wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (response == nullptr)
        return std::nullopt;
    std::optional<ServerJob> job;
    if (ippGetStatusCode(response) <= IPP_STATUS_OK_CONFLICTING) {
        job = ServerJob{};
        job->id = id;
        if (ipp_attribute_t* state = ippFindAttribute(response, "job-state", IPP_TAG_ENUM)) {
            switch (ippGetInteger(state, 0)) {
            case IPP_JSTATE_HELD:
                job->phase = ServerJob::Phase::Held;
                break;
            case IPP_JSTATE_PROCESSING:
                job->phase = ServerJob::Phase::Printing;
                break;
            case IPP_JSTATE_STOPPED:
                job->phase = ServerJob::Phase::Stopped;
                break;
            case IPP_JSTATE_CANCELED:
                job->phase = ServerJob::Phase::Canceled;
                break;
            case IPP_JSTATE_ABORTED:
                job->phase = ServerJob::Phase::Aborted;
                break;
            case IPP_JSTATE_COMPLETED:
                job->phase = ServerJob::Phase::Completed;
                break;
            default:
                job->phase = ServerJob::Phase::Queued;
                break;
            }
        }
        if (ipp_attribute_t* done =
                ippFindAttribute(response, "job-impressions-completed", IPP_TAG_INTEGER))
            job->pagesDone = ippGetInteger(done, 0);
        if (ipp_attribute_t* message =
                ippFindAttribute(response, "job-printer-state-message", IPP_TAG_TEXT);
            message != nullptr && ippGetString(message, 0, nullptr) != nullptr)
            job->reason = ippGetString(message, 0, nullptr);
    }
    ippDelete(response);
    return job;
}

bool cancelCupsJob(int id) {
    return cupsCancelJob2(CUPS_HTTP_DEFAULT, nullptr, id, 0) <= IPP_STATUS_OK_CONFLICTING;
}

} // namespace analysis
