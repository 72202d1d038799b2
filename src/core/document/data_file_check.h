// Telling a day's data file from any other file before it takes the day's place.
#pragma once

#include "core/common/io_error.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace analysis {

/// A file that is not a day's data file; the message names the file and what it lacks.
class NotADataFile : public AnalysisError {
public:
    NotADataFile(const std::filesystem::path& file, std::string_view fault);
};

/// What a data file holds, as checked.
struct DataFileSummary {
    std::uint16_t RaceDay = 0;
    std::uint16_t RecordCount = 0;
    /// Text records the header announces that the file does not hold.
    std::uint32_t missingRecords = 0;
    /// The reports its text holds.
    std::size_t reports = 0;
};

/// Decodes bytes, the content of file, in memory as start-up would decode them with userId,
/// and checks that they are a day: a header, at least one whole text record, and at least one
/// report in the text, each with a code that can name a file. NotADataFile otherwise. A file
/// with fewer records than announced passes (start-up shows what it holds and says so).
DataFileSummary checkDataFile(const std::filesystem::path& file, std::string_view bytes,
                              std::string_view userId);

} // namespace analysis
