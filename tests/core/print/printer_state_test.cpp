// What the user reads of a job the print server has, in each of its states.
#include "core/print/printer_state.h"

#include <gtest/gtest.h>

namespace analysis {
namespace {

TEST(JobProgressText, EachStateIsSaidWithTheServersWords) {
    using Phase = ServerJob::Phase;
    struct Case {
        ServerJob job;
        const char* number;
        int pages;
        const char* said;
    };
    const Case cases[] = {
        {{7, Phase::Queued, 0, ""}, "0001", 0, "Job 0001 on Office: queued"},
        {{7, Phase::Held, 0, "job-hold-until-specified"},
         "0001",
         0,
         "Job 0001 on Office: held (job-hold-until-specified)"},
        {{7, Phase::Printing, 0, ""}, "0001", 0, "Job 0001 on Office: printing"},
        {{7, Phase::Printing, 2, ""}, "0001", 12, "Job 0001 on Office: printing page 3 of 12"},
        // Never beyond the last page sent, whatever the server counts.
        {{7, Phase::Printing, 12, ""}, "0001", 12, "Job 0001 on Office: printing page 12 of 12"},
        {{7, Phase::Stopped, 0, "Paused"}, "", 0, "The job on Office: stopped (Paused)"},
        {{7, Phase::Canceled, 0, ""}, "0001", 0, "Job 0001 on Office was canceled"},
        {{7, Phase::Aborted, 0, "paper jam"},
         "0001",
         0,
         "Job 0001 on Office was aborted (paper jam)"},
        {{7, Phase::Completed, 3, "Ready"}, "0001", 3, "Job 0001 printed on Office"},
        {{7, Phase::Completed, 0, ""}, "", 0, "The job printed on Office"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(jobProgressText(c.job, "Office", c.number, c.pages), c.said);
}

TEST(JobProgressText, OnlyAPrintedCanceledOrAbortedJobHasEnded) {
    using Phase = ServerJob::Phase;
    for (Phase phase : {Phase::Queued, Phase::Held, Phase::Printing, Phase::Stopped})
        EXPECT_FALSE((ServerJob{1, phase, 0, ""}.ended()));
    for (Phase phase : {Phase::Canceled, Phase::Aborted, Phase::Completed})
        EXPECT_TRUE((ServerJob{1, phase, 0, ""}.ended()));
}

} // namespace
} // namespace analysis
