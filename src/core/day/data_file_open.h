// The outcome of opening a day's data file from anywhere as the day.
#pragma once

#include "core/day/outcome.h"

#include <string>
#include <vector>

namespace analysis {

enum class DataFileOpenStatus {
    Opened,  ///< the file is the day's data file now, decoded, split and listed
    Refused, ///< it is no data file or cannot be read; nothing was changed
    Failed,  ///< a step after the check failed; the message says what was kept
};

/// How opening a data file ended; the Day holds what the window shows.
struct [[nodiscard]] DataFileOpen : Outcome<DataFileOpenStatus> {
    using Status = DataFileOpenStatus;
    /// Notices for the user in order, said before the message: the earlier day's report files
    /// gone before it was joined back, a data file with records missing, a first report that
    /// cannot be read.
    std::vector<std::string> notices;
};

} // namespace analysis
