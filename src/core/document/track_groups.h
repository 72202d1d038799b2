// The track groups the user picks tracks by, and the test whether a track is picked.
#pragma once

#include <span>
#include <string_view>

namespace analysis {

/// The 25 groups "(A) Tam" to "(Y) Bel Aqu Sar", each padded with blanks to 24 characters; a
/// group's letter is the second character of its row.
std::span<const std::string_view> TrackGroupTable();

/// True when some row holding track (as a substring) has its letter in trackGroups; a track
/// listed in several rows is selected when any of their letters is.
bool isTrackSelected(std::string_view track, std::string_view trackGroups);

} // namespace analysis
