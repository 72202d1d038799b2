// The subscriber identifier and the print job counter, kept between runs in "Exec/Analysis.JOB".
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace analysis {

/// What an installation remembers besides its settings: two CR LF lines, the UserId text and
/// the job counter in decimal.
struct InstallationState {
    std::string UserId = "0000";
    std::uint16_t JobCounter = 0;
};

/// Longest UserId kept; only its first four characters are ever stamped.
inline constexpr std::size_t UserIdLimit = 15;
/// Highest job number; the counter starts again at 0 after it.
inline constexpr unsigned JobCounterLimit = 9999;

/// A missing file gives the defaults, and so does each empty or unreadable line; a stored
/// counter above 9999 becomes 0 and a UserId is cut to 15 characters. A file that exists but
/// cannot be read raises IoError.
InstallationState readInstallationState(const std::filesystem::path& file);

/// Replaces the file; a crash leaves either the old state or the new one.
void writeInstallationState(const std::filesystem::path& file, const InstallationState& state);

/// Counts one print job: the counter moves on by one (after JobCounterLimit comes 0) and, when
/// file is given, the new state is kept there at once, so a job that fails or is interrupted
/// after stamping never hands its number out again. Returns the job's four-digit number.
/// IoError when the file cannot be written; the counter has moved on all the same.
std::string countJob(InstallationState& state, const std::filesystem::path* file);

/// The counter as shown and stamped: four digits with leading zeros (7 gives "0007").
std::string jobCounterText(unsigned counter);

} // namespace analysis
