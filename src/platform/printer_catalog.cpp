// The CUPS queues offered to the user, and which of them is the system's default.
#include "platform/printer_catalog.h"

#include "platform/cups_spooler.h"

#include <cups/cups.h>

#include <algorithm>

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

} // namespace analysis
