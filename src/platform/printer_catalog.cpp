// The CUPS queues offered to the user, and which of them is the system's default.
#include "platform/printer_catalog.h"

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

} // namespace analysis
