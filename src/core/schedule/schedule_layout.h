// How many schedule lines go on a page, and whether the schedule takes one page, two, or more.
#pragma once

namespace analysis {

/// The fewest and the most minutes between two tracks' post times that can count as close.
inline constexpr int FewestCloseMinutes = 1;
inline constexpr int MostCloseMinutes = 15;

/// The schedule layout settings. They last only while the program runs: every start begins
/// with these defaults. The dialog offers 32 to 64 in steps of 4; the layout takes any value.
struct ScheduleLayoutOptions {
    int SimoOptimumLines = 32;
    int SimoMaximumLines = 64;
    /// Print a schedule that needs two pages as two columns of one sheet.
    bool SimoTwoUp = false;
    /// Mark each race that goes off within closeMinutes of a race at another printed track.
    bool markClosePosts = false;
    /// 1 to 15; the print brings any other value into that range.
    int closeMinutes = 3;

    friend bool operator==(const ScheduleLayoutOptions&, const ScheduleLayoutOptions&) = default;
};

/// The settings with a new optimum; the maximum rises with it so it never falls below.
ScheduleLayoutOptions withOptimumLines(ScheduleLayoutOptions options, int optimum);
/// The settings with a new maximum; the optimum comes down with it so it never exceeds it.
ScheduleLayoutOptions withMaximumLines(ScheduleLayoutOptions options, int maximum);

enum class ScheduleLayoutCase {
    OnePage = 1,
    /// Two pages, or the two columns of one sheet in the 2-up format.
    TwoPages = 2,
    SeveralPages = 3,
};

struct SchedulePageSplit {
    int linesPerPage = 32;
    ScheduleLayoutCase layoutCase = ScheduleLayoutCase::OnePage;

    friend bool operator==(const SchedulePageSplit&, const SchedulePageSplit&) = default;
};

/// Lines per page and layout case for lineCount lines. Optimum and maximum are first brought
/// into 32..64 and down to a multiple of 4, and the optimum is lowered to the maximum when it
/// exceeds it. Up to the optimum: a page of the optimum. Up to the maximum: one page just long
/// enough (in steps of 4). Up to twice the maximum: two pages (or columns) of equal length, in
/// steps of 4, between the optimum and the maximum. Beyond: pages of the optimum.
SchedulePageSplit SchedulePageLayout(int optimum, int maximum, int lineCount);

} // namespace analysis
