// The limits both print engines share: how long a printed line may be, how far the pen may
// move down per line, and how many columns one balanced plan spreads over.
#pragma once

#include <cstddef>

namespace analysis {

/// Most characters a printed line keeps; the rest of a longer line is read and dropped.
inline constexpr std::size_t MaxPrintLineLength = 80;

/// Largest line advance (decipoints for PCL, device pixels on the canvas): a column of few
/// lines is not spread thin over the whole page.
inline constexpr int LargestLineAdvance = 120;

/// Most pages (or columns) one balanced plan spreads a report over; a longer report is planned
/// in consecutive groups of at most this many.
inline constexpr int MaxColumnsPerGroup = 4;

} // namespace analysis
