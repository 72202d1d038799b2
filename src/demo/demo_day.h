// A generated race day for demonstrations, tests and benchmarks: the analysis text and the
// scrambled data file the service would deliver for it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace analysis::demo {

/// What a generated day holds. The same shape and seed always give the same bytes.
struct DayShape {
    std::vector<std::string> tracks; ///< three-character track codes, e.g. {"Aqu", "GPx"}
    int racesPerTrack = 8;
    int horsesPerRace = 8;         ///< horses per race, and so per E report race box
    int performancesPerHorse = 10; ///< performance lines per horse in E reports
    std::uint32_t seed = 1;
};

/// The seven tracks of the built-in schedule, eight races each: a realistic day.
DayShape DemoDay();

/// A day for benchmarks: 1000 reports, about 20 MB, E reports of 12 horses with 14
/// performances each.
DayShape HeavyDay();

/// The day's analysis text, code page 437 with CR LF line ends: a short banner, then per track
/// an A, an X, an E and a B report, each opened by a form-feed separator line "\f@A01Aqu".
std::string makeAnalysisText(const DayShape& shape);

/// The scrambled data file for analysisText: a 4096-byte header record (record count and
/// raceDay, little-endian) followed by the text in 4096-byte records, the last one padded with
/// blanks. Raises AnalysisError when the text needs more records than the header can count.
std::string makeDataFile(std::string_view analysisText, std::uint16_t raceDay);

} // namespace analysis::demo
