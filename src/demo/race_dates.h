// The dates the reports of a race day print, all counted back from that day.
#pragma once

#include <cstdint>
#include <string>

namespace analysis::demo {

/// The race day as the reports head it, "Thu 10-Dec-2026": the same text the window shows
/// for the day number of the data file.
std::string raceDayText(std::uint16_t raceDay);

/// "19Nov" for the day daysBefore days before the race day; a past race may lie before
/// 28 November 1973, the first day that has a race day number.
std::string shortDate(std::uint16_t raceDay, int daysBefore);

} // namespace analysis::demo
