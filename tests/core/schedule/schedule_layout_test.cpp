// The schedule page layout: lines per page and case, and the dialog's optimum/maximum rule.
#include "core/schedule/schedule_layout.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

TEST(SchedulePageLayout, LinesPerPageAndCase) {
    struct Case {
        int optimum;
        int maximum;
        int lines;
        int linesPerPage;
        int layoutCase;
    };
    const Case cases[] = {
        // The worked examples.
        {32, 64, 20, 32, 1},
        {32, 64, 41, 44, 1},
        {32, 64, 64, 64, 1},
        {32, 64, 65, 36, 2},
        {32, 64, 100, 52, 2},
        {32, 64, 128, 64, 2},
        {32, 64, 129, 32, 3},
        {48, 48, 50, 48, 2},
        // Nothing and exactly the optimum.
        {32, 64, 0, 32, 1},
        {40, 64, 40, 40, 1},
        // Out of range, or between steps: 33 to 35 count as 32, 61 to 63 as 60.
        {33, 64, 33, 36, 1},
        {35, 64, 33, 36, 1},
        {32, 63, 61, 32, 2},
        {70, 64, 10, 64, 1},
        {10, 100, 65, 36, 2},
        {0, 0, 65, 32, 3},
        {65535, 65535, 100, 64, 2},
        // An optimum above the maximum comes down to it.
        {56, 40, 45, 40, 2},
        {64, 32, 20, 32, 1},
        // Two halves rounded to four, then raised to the optimum or held at the maximum.
        {44, 64, 70, 44, 2},
        {32, 60, 119, 60, 2},
        {32, 60, 121, 32, 3},
    };
    for (const Case& c : cases) {
        SchedulePageSplit split = SchedulePageLayout(c.optimum, c.maximum, c.lines);
        EXPECT_EQ(split.linesPerPage, c.linesPerPage)
            << c.optimum << " " << c.maximum << " " << c.lines;
        EXPECT_EQ(static_cast<int>(split.layoutCase), c.layoutCase)
            << c.optimum << " " << c.maximum << " " << c.lines;
    }
}

TEST(SchedulePageLayout, TwoPagesAlwaysHoldEveryLine) {
    for (int optimum = 32; optimum <= 64; optimum += 4)
        for (int maximum = optimum; maximum <= 64; maximum += 4)
            for (int lines = maximum + 1; lines <= 2 * maximum; ++lines) {
                SchedulePageSplit split = SchedulePageLayout(optimum, maximum, lines);
                ASSERT_EQ(split.layoutCase, ScheduleLayoutCase::TwoPages);
                EXPECT_GE(2 * split.linesPerPage, lines) << optimum << " " << maximum;
                EXPECT_LT(split.linesPerPage, lines);
            }
}

TEST(ScheduleLayoutOptions, OptimumNeverExceedsMaximum) {
    const ScheduleLayoutOptions defaults;
    EXPECT_EQ(defaults, (ScheduleLayoutOptions{32, 64, false}));
    const ScheduleLayoutOptions forty{32, 40, true};
    EXPECT_EQ(withOptimumLines(forty, 48), (ScheduleLayoutOptions{48, 48, true}));
    EXPECT_EQ(withOptimumLines(forty, 36), (ScheduleLayoutOptions{36, 40, true}));
    const ScheduleLayoutOptions fortyFour{44, 64, false};
    EXPECT_EQ(withMaximumLines(fortyFour, 36), (ScheduleLayoutOptions{36, 36, false}));
    EXPECT_EQ(withMaximumLines(fortyFour, 48), (ScheduleLayoutOptions{44, 48, false}));
    EXPECT_EQ(withMaximumLines(withOptimumLines(defaults, 64), 64),
              (ScheduleLayoutOptions{64, 64, false}));
    EXPECT_EQ(withOptimumLines(withMaximumLines(defaults, 32), 32),
              (ScheduleLayoutOptions{32, 32, false}));
}

} // namespace
} // namespace analysis
