// The application's current printer: one entry of the installed-printer list, shared by every
// kind of printing.
#pragma once

#include <string>
#include <vector>

namespace analysis {

struct PrinterChoice {
    std::vector<std::string> names; ///< the installed printers, in a stable order
    int current = -1;               ///< index into names; -1 when there is none

    /// The current printer's name; empty when there is none.
    std::string currentName() const {
        return current >= 0 && current < static_cast<int>(names.size())
                   ? names[static_cast<std::size_t>(current)]
                   : std::string();
    }
};

} // namespace analysis
