// The simulcast schedule table and the extraction of the ticked tracks' races.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace analysis {

/// Longest schedule line kept; the rest of a longer line is dropped.
inline constexpr std::size_t ScheduleLineLimit = 63;

/// The lines of the schedule file in file order, each cut to 63 characters. Raises IoError
/// when the file cannot be read.
std::vector<std::string> LoadSchedule(const std::filesystem::path& file);

/// The schedule lines, in table order, whose track (characters 20 to 22) equals one of tracks
/// exactly.
std::vector<std::string> scheduleLinesOfTracks(std::span<const std::string> scheduleLines,
                                               std::span<const std::string> tracks);

/// Replaces file with the schedule lines, in table order, whose track (characters 20 to 22)
/// equals the track (characters 4 to 6) of some ticked report code, compared exactly. The
/// table itself is left as it is, so a later extraction starts from all its lines again.
void ExtractSchedule(std::span<const std::string> scheduleLines,
                     std::span<const std::string> tickedCodes, const std::filesystem::path& file);

} // namespace analysis
