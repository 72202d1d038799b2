// Races at different tracks that go off at nearly the same time, for the schedule to mark.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

/// The post time of a schedule line as written in columns 9 to 13 ("h:mm" right-aligned, hours
/// 1 to 12), in minutes: hours x 60 + minutes, so "1:05" is 65 and "12:30" is 750. Nothing when
/// the columns hold no such time.
std::optional<int> postTimeOf(std::string_view line);

/// The time of each line of a schedule in minutes from the first hour, its post times read in
/// order: the times rise down the schedule on a 12-hour clock without AM or PM, so a time
/// smaller than the one before it has gone past noon and counts 12 hours more. A line without
/// a time has none and leaves the count as it was.
std::vector<std::optional<int>> scheduleClock(std::span<const std::string> lines);

/// The mark of each line, for the right of columns 34 to 40 of the printed schedule: for a race
/// within minutes (brought into 1..15; the bound counts) of a race at another track, "<" and the
/// gap in minutes, a blank and the other track as columns 20 to 22 give it ("<2 Aqu"), naming the
/// nearest such race (the first in the schedule of equally near ones). Empty for a line no race
/// of another track is that close to, and for a line without a time. A track never marks its
/// own races.
std::vector<std::string> closePostMarks(std::span<const std::string> lines, int minutes);

} // namespace analysis
