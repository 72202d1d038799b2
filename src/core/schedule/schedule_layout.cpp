// The schedule's page layout.
#include "core/schedule/schedule_layout.h"

#include <algorithm>

namespace analysis {
namespace {

constexpr int FewestLinesPerPage = 32;
constexpr int MostLinesPerPage = 64;

/// Into 32..64, then down to a multiple of 4: 33 to 35 count as 32.
int normalized(int lines) {
    return std::clamp(lines, FewestLinesPerPage, MostLinesPerPage) & ~3;
}

int roundedUpToFour(int lines) {
    return (lines + 3) / 4 * 4;
}

} // namespace

ScheduleLayoutOptions withOptimumLines(ScheduleLayoutOptions options, int optimum) {
    options.SimoOptimumLines = optimum;
    options.SimoMaximumLines = std::max(options.SimoMaximumLines, optimum);
    return options;
}

ScheduleLayoutOptions withMaximumLines(ScheduleLayoutOptions options, int maximum) {
    options.SimoMaximumLines = maximum;
    options.SimoOptimumLines = std::min(options.SimoOptimumLines, maximum);
    return options;
}

SchedulePageSplit SchedulePageLayout(int optimum, int maximum, int lineCount) {
    maximum = normalized(maximum);
    optimum = std::min(normalized(optimum), maximum);
    const int n = std::max(lineCount, 0);
    if (n <= optimum)
        return {optimum, ScheduleLayoutCase::OnePage};
    if (n <= maximum)
        return {roundedUpToFour(n), ScheduleLayoutCase::OnePage};
    if (n <= 2 * maximum) {
        int half = roundedUpToFour(roundedUpToFour(n) / 2);
        return {std::clamp(half, optimum, maximum), ScheduleLayoutCase::TwoPages};
    }
    return {optimum, ScheduleLayoutCase::SeveralPages};
}

} // namespace analysis
