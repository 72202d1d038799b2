// A generated race day for demonstrations, tests and benchmarks: the analysis text and the
// scrambled data file the service would deliver for it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace analysis::demo {

/// Thursday 10 December 2026, the day the help pages' sample reports are dated, as a race day
/// number (day 0 is 28 November 1973).
inline constexpr std::uint16_t SampleRaceDay = 19370;

/// What a generated day holds. The same shape always gives the same bytes; counts given as a
/// range are drawn from it, track by track and race by race.
struct DayShape {
    std::vector<std::string> tracks; ///< three-character track codes, e.g. {"Aqu", "GPx"}
    int fewestRaces = 6;             ///< races per track, 0 to 99
    int mostRaces = 12;
    int fewestHorses = 6; ///< horses per race, 0 to 99
    int mostHorses = 14;
    /// Past races per horse, 0 to 14. Maiden races are run by horses with a short record or
    /// none (first starters), whatever the range says.
    int fewestPerformances = 3;
    int mostPerformances = 14;
    bool maidenRaces = true; ///< false: every race is for winners, with records of full length
    std::uint16_t raceDay = SampleRaceDay; ///< the date every text of the day is written for
    std::uint32_t seed = 1;
};

/// The seven tracks of the built-in schedule: about 140 reports, as a subscriber's day.
DayShape demoDay();

/// A day for benchmarks: about 1000 reports and 20 MB of text, from 30 tracks of the track
/// group table running fifteen races of full fields of seasoned horses.
DayShape heavyDay();

/// The day's analysis text, code page 437 with CR LF line ends: a short banner, then per track
/// an A and an X report covering the card, and an E and a B report for every race. Each report
/// opens with a form-feed separator line: "\f@A01Aqu", "\f@X01Aqu", and "\f@E01Aqu07",
/// "\f@B01Aqu07" for race 7, so that the reports of one track and kind sort next to each other
/// in race order. Raises AnalysisError when a track code is not three characters long or a
/// count range is empty or out of bounds.
std::string makeAnalysisText(const DayShape& shape);

/// The scrambled data file for analysisText: a 4096-byte header record (record count and
/// raceDay, little-endian) followed by the text in 4096-byte records, the last one padded with
/// blanks. Raises AnalysisError when the text needs more records than the header can count.
std::string makeDataFile(std::string_view analysisText, std::uint16_t raceDay);

} // namespace analysis::demo
